#include "binary_xml.h"

namespace aapt {

namespace {

constexpr char AndroidNamespace[] = "http://schemas.android.com/apk/res/android";
// Documents nest shallowly; a deeper one is built to exhaust the reader.
constexpr int MaxDepth = 1024;

} // namespace

const std::string &XmlDocument::string(uint32_t index) const
{
    static const std::string none;
    return index == NoString ? none : m_pool.at(index);
}

const XmlAttribute *XmlDocument::attribute(const XmlElement &e, uint32_t resourceId,
                                           const char *attrName) const
{
    for (const XmlAttribute &a : e.attributes)
        if (a.resourceId == resourceId)
            return &a;
    for (const XmlAttribute &a : e.attributes)
        if (a.resourceId == 0 && string(a.ns) == AndroidNamespace && string(a.name) == attrName)
            return &a;
    return nullptr;
}

const XmlAttribute *XmlDocument::plainAttribute(const XmlElement &e, const char *attrName) const
{
    for (const XmlAttribute &a : e.attributes)
        if (a.ns == NoString && string(a.name) == attrName)
            return &a;
    return nullptr;
}

XmlDocument::XmlDocument(ByteSource &src, int keptDepth)
{
    const Chunk doc = readChunk(src, 0, src.size(), "manifest");
    if (doc.type != ChunkXml)
        throw FormatError("manifest: not a compiled XML document");

    bool havePool = false;
    std::vector<uint32_t> resourceIds;
    int depth = 0;
    // Every index is checked while parsing, so that a later look-up cannot fail on it.
    auto index = [&](uint32_t i) {
        if (i != NoString && i >= m_pool.count())
            throw FormatError("string index " + std::to_string(i) + " outside the string pool");
        return i;
    };

    for (uint64_t at = doc.offset + doc.headerSize; at < doc.end();) {
        const Chunk c = readChunk(src, at, doc.end(), "manifest");
        at = c.end();
        switch (c.type) {
        case ChunkStringPool:
            if (havePool)
                throw FormatError("manifest: second string pool");
            m_pool = StringPool(src, c);
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
            e.ns = index(src.u32(ext));
            e.name = index(src.u32(ext + 4));
            const uint16_t attrStart = src.u16(ext + 8);
            const uint16_t attrSize = src.u16(ext + 10);
            const uint16_t attrCount = src.u16(ext + 12);
            if (attrCount && (attrSize < 20 || ext + attrStart + uint64_t(attrSize) * attrCount > c.end()))
                throw FormatError("manifest: attributes point outside their element");
            // Only the manifest element and its children feed the report; deeper ones are
            // kept for their depth alone.
            if (depth > keptDepth)
                break;
            e.attributes.reserve(attrCount);
            for (uint32_t i = 0; i < attrCount; ++i) {
                const uint64_t a = ext + attrStart + uint64_t(attrSize) * i;
                XmlAttribute attr;
                attr.ns = index(src.u32(a));
                attr.name = index(src.u32(a + 4));
                if (attr.name < resourceIds.size())
                    attr.resourceId = resourceIds[attr.name];
                attr.rawString = index(src.u32(a + 8));
                attr.value.type = src.u8(a + 15);
                attr.value.data = src.u32(a + 16);
                if (attr.rawString == NoString && attr.value.type == ResValue::String)
                    attr.rawString = index(attr.value.data);
                e.attributes.push_back(attr);
            }
            m_elements.push_back(std::move(e));
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
    if (m_elements.empty())
        throw FormatError("manifest: no elements");
}

} // namespace aapt
