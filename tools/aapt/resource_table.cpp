#include "resource_table.h"

#include <cstdio>

namespace aapt {

namespace {

// Far beyond any real chain; a reference chain this long can only be a loop or a trap.
constexpr int MaxReferenceDepth = 32;
// Every label is looked up once per locale and every icon once per density, each look-up
// visiting the chunks of one type. Real packages stay far below these bounds; a table beyond
// them is built to make the report take hours.
constexpr size_t MaxTypeChunks = 100000;
constexpr size_t MaxLocales = 1000;
constexpr size_t MaxDensities = 64;
// Configurations weighed over all look-ups of one report. Debian's framework-res.apk, with 140
// locales and eight densities, weighs about 300,000 in all; sixteen times that is beyond any
// real package and still only a fraction of a second.
constexpr uint64_t MaxLookupWork = 5'000'000;

} // namespace

ResourceTable::ResourceTable(ByteSource &src) : m_src(&src)
{
    const Chunk table = readChunk(src, 0, src.size(), "resource table");
    if (table.type != ChunkTable || table.headerSize < 12)
        throw FormatError("resource table: not a resource table");
    bool havePool = false;
    for (uint64_t at = table.offset + table.headerSize; at < table.end();) {
        const Chunk c = readChunk(src, at, table.end(), "resource table");
        if (c.type == ChunkStringPool && !havePool) {
            m_strings = StringPool(src, c);
            havePool = true;
        } else if (c.type == ChunkTablePackage) {
            readPackage(c);
        }
        at = c.end();
    }
    if (!havePool)
        throw FormatError("resource table: no string pool");
    for (const auto &[id, chunks] : m_types)
        for (const TypeChunk &t : chunks) {
            m_locales.insert(t.config.localeTag());
            m_densities.insert(t.config.density ? t.config.density : ResConfig::DensityMedium);
        }
    if (m_locales.size() > MaxLocales || m_densities.size() > MaxDensities)
        throw FormatError("resource table: implausibly many locales or densities");
}

void ResourceTable::readPackage(const Chunk &pkg)
{
    if (pkg.headerSize < 12)
        throw FormatError("resource table: package header too small");
    const uint32_t id = m_src->u32(pkg.offset + 8);
    if (id > 0xff)
        throw FormatError("resource table: package id out of range");
    for (uint64_t at = pkg.offset + pkg.headerSize; at < pkg.end();) {
        const Chunk c = readChunk(*m_src, at, pkg.end(), "resource table package");
        if (c.type == ChunkTableType) {
            if (c.headerSize < 20 + 8)
                throw FormatError("resource table: type chunk header too small");
            TypeChunk t;
            t.offset = c.offset;
            t.end = c.end();
            t.headerSize = c.headerSize;
            t.packageId = uint8_t(id);
            t.typeId = m_src->u8(c.offset + 8);
            t.sparse = m_src->u8(c.offset + 9) & 0x01;
            t.entryCount = m_src->u32(c.offset + 12);
            const uint32_t entriesStart = m_src->u32(c.offset + 16);
            t.config = ResConfig::read(*m_src, c.offset + 20, c.headerSize - 20);
            const uint64_t indexBytes = uint64_t(t.entryCount) * 4;
            if (t.typeId == 0 || indexBytes > c.size - c.headerSize || entriesStart > c.size ||
                entriesStart < c.headerSize)
                throw FormatError("resource table: type chunk counts point outside the chunk");
            t.entries = c.offset + entriesStart;
            if (++m_typeCount > MaxTypeChunks)
                throw FormatError("resource table: implausibly many type chunks");
            m_types[uint16_t(t.packageId << 8 | t.typeId)].push_back(t);
        }
        at = c.end();
    }
}

std::optional<ResValue> ResourceTable::entryValue(const TypeChunk &t, uint32_t entry)
{
    uint32_t offset = 0xffffffff;
    const uint64_t index = t.offset + t.headerSize;
    if (t.sparse) {
        // Sorted pairs of (entry index, offset / 4).
        uint32_t lo = 0, hi = t.entryCount;
        while (lo < hi) {
            const uint32_t mid = lo + (hi - lo) / 2;
            const uint16_t idx = m_src->u16(index + 4ull * mid);
            if (idx == entry) {
                offset = uint32_t(m_src->u16(index + 4ull * mid + 2)) * 4;
                break;
            }
            if (idx < entry)
                lo = mid + 1;
            else
                hi = mid;
        }
    } else if (entry < t.entryCount) {
        offset = m_src->u32(index + 4ull * entry);
    }
    if (offset == 0xffffffff)
        return std::nullopt;
    const uint64_t at = t.entries + offset;
    if (at > t.end || t.end - at < 8)
        throw FormatError("resource table: entry outside its type chunk");
    const uint16_t size = m_src->u16(at);
    const uint16_t flags = m_src->u16(at + 2);
    if (flags & 0x0001) // a bag, not a plain value
        return std::nullopt;
    if (size < 8 || t.end - at < uint64_t(size) + 8)
        throw FormatError("resource table: entry value outside its type chunk");
    ResValue v;
    v.type = m_src->u8(at + size + 3);
    v.data = m_src->u32(at + size + 4);
    return v;
}

std::optional<ResValue> ResourceTable::lookup(uint32_t id, const ResConfig &request)
{
    const uint8_t packageId = uint8_t(id >> 24), typeId = uint8_t(id >> 16);
    const uint32_t entry = id & 0xffff;
    const auto chunks = m_types.find(uint16_t(packageId << 8 | typeId));
    if (chunks == m_types.end())
        return std::nullopt;
    m_work += chunks->second.size();
    if (m_work > MaxLookupWork)
        throw FormatError("resource table: too many configurations to weigh for this report");
    const TypeChunk *best = nullptr;
    std::optional<ResValue> bestValue;
    for (const TypeChunk &t : chunks->second) {
        if (!t.config.matches(request))
            continue;
        if (best && !t.config.isBetterThan(best->config, request))
            continue;
        if (auto v = entryValue(t, entry)) {
            best = &t;
            bestValue = v;
        }
    }
    return bestValue;
}

std::optional<ResValue> ResourceTable::resolve(ResValue value, const ResConfig &request)
{
    for (int depth = 0; value.type == ResValue::Reference; ++depth) {
        if (value.data == 0)
            return std::nullopt;
        if (depth == MaxReferenceDepth)
            throw FormatError("resource table: reference loop or endless chain at resource 0x" + [&] {
                char hex[9];
                std::snprintf(hex, sizeof hex, "%08x", value.data);
                return std::string(hex);
            }());
        auto next = lookup(value.data, request);
        if (!next)
            return std::nullopt;
        value = *next;
    }
    return value;
}

std::string ResourceTable::resolveString(ResValue value, const ResConfig &request)
{
    auto v = resolve(value, request);
    if (!v || v->type != ResValue::String)
        return {};
    return m_strings.at(v->data);
}

} // namespace aapt
