#include "binary_xml.h"

namespace aapt {

namespace {

constexpr char AndroidNamespace[] = "http://schemas.android.com/apk/res/android";
// Documents nest shallowly; a deeper one is built to exhaust the reader.
constexpr int MaxDepth = 1024;
constexpr uint32_t NoIndex = 0xffffffff;

} // namespace

const XmlAttribute *XmlElement::attribute(uint32_t resourceId, const char *attrName) const
{
    for (const XmlAttribute &a : attributes)
        if (a.resourceId == resourceId)
            return &a;
    for (const XmlAttribute &a : attributes)
        if (a.resourceId == 0 && a.ns == AndroidNamespace && a.name == attrName)
            return &a;
    return nullptr;
}

const XmlAttribute *XmlElement::plainAttribute(const char *attrName) const
{
    for (const XmlAttribute &a : attributes)
        if (a.ns.empty() && a.name == attrName)
            return &a;
    return nullptr;
}

std::vector<XmlElement> parseBinaryXml(ByteSource &src)
{
    const Chunk doc = readChunk(src, 0, src.size(), "manifest");
    if (doc.type != ChunkXml)
        throw FormatError("manifest: not a compiled XML document");

    StringPool pool;
    bool havePool = false;
    std::vector<uint32_t> resourceIds;
    std::vector<XmlElement> elements;
    int depth = 0;

    auto str = [&](uint32_t index) -> std::string {
        return index == NoIndex ? std::string() : pool.at(index);
    };

    for (uint64_t at = doc.offset + doc.headerSize; at < doc.end();) {
        const Chunk c = readChunk(src, at, doc.end(), "manifest");
        at = c.end();
        switch (c.type) {
        case ChunkStringPool:
            if (havePool)
                throw FormatError("manifest: second string pool");
            pool = StringPool(src, c);
            havePool = true;
            break;
        case ChunkXmlResourceMap: {
            const uint32_t n = (c.size - c.headerSize) / 4;
            resourceIds.resize(n);
            for (uint32_t i = 0; i < n; ++i)
                resourceIds[i] = src.u32(c.offset + c.headerSize + 4ull * i);
            break;
        }
        case ChunkXmlStartElement: {
            if (!havePool)
                throw FormatError("manifest: element before the string pool");
            if (++depth > MaxDepth)
                throw FormatError("manifest: elements nested too deeply");
            if (c.headerSize < 16 || c.size - c.headerSize < 20)
                throw FormatError("manifest: element chunk too small");
            const uint64_t ext = c.offset + c.headerSize;
            XmlElement e;
            e.depth = depth;
            e.ns = str(src.u32(ext));
            e.name = str(src.u32(ext + 4));
            const uint16_t attrStart = src.u16(ext + 8);
            const uint16_t attrSize = src.u16(ext + 10);
            const uint16_t attrCount = src.u16(ext + 12);
            if (attrCount && (attrSize < 20 || ext + attrStart + uint64_t(attrSize) * attrCount > c.end()))
                throw FormatError("manifest: attributes point outside their element");
            // Only the manifest element and its children feed the report; deeper ones are
            // kept for their depth alone.
            const bool wanted = depth <= 2;
            for (uint32_t i = 0; wanted && i < attrCount; ++i) {
                const uint64_t a = ext + attrStart + uint64_t(attrSize) * i;
                XmlAttribute attr;
                attr.ns = str(src.u32(a));
                const uint32_t nameIndex = src.u32(a + 4);
                attr.name = str(nameIndex);
                if (nameIndex < resourceIds.size())
                    attr.resourceId = resourceIds[nameIndex];
                const uint32_t raw = src.u32(a + 8);
                if (raw != NoIndex) {
                    attr.hasRawString = true;
                    attr.rawString = pool.at(raw);
                }
                attr.value.type = src.u8(a + 15);
                attr.value.data = src.u32(a + 16);
                if (!attr.hasRawString && attr.value.type == ResValue::String) {
                    attr.hasRawString = true;
                    attr.rawString = pool.at(attr.value.data);
                }
                e.attributes.push_back(std::move(attr));
            }
            if (wanted)
                elements.push_back(std::move(e));
            break;
        }
        case ChunkXmlEndElement:
            if (depth == 0)
                throw FormatError("manifest: element closed that was never opened");
            --depth;
            break;
        default:
            break; // namespaces, text and unknown chunks carry nothing the report needs
        }
    }
    if (elements.empty())
        throw FormatError("manifest: no elements");
    return elements;
}

} // namespace aapt
