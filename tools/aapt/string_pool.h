// The string pool chunk shared by the binary manifest and the resource table. Strings are read
// one at a time on request: the table's pool can hold hundreds of thousands of them. Each one is
// decoded once and then shared, however many attributes or resources refer to it.
#pragma once

#include "byte_source.h"

#include <string>
#include <unordered_map>

namespace aapt {

enum ChunkType : uint16_t {
    ChunkStringPool = 0x0001,
    ChunkTable = 0x0002,
    ChunkXml = 0x0003,
    ChunkXmlStartNamespace = 0x0100,
    ChunkXmlEndNamespace = 0x0101,
    ChunkXmlStartElement = 0x0102,
    ChunkXmlEndElement = 0x0103,
    ChunkXmlResourceMap = 0x0180,
    ChunkTablePackage = 0x0200,
    ChunkTableType = 0x0201,
    ChunkTableTypeSpec = 0x0202,
};

// A chunk header checked against the range that holds it.
struct Chunk
{
    uint64_t offset = 0;
    uint16_t type = 0;
    uint16_t headerSize = 0;
    uint32_t size = 0;
    uint64_t end() const { return offset + size; }
};

// Reads the chunk header at offset and checks that the chunk lies within [offset, limit).
Chunk readChunk(ByteSource &src, uint64_t offset, uint64_t limit, const char *what);

class StringPool
{
public:
    StringPool() = default;
    StringPool(ByteSource &src, const Chunk &chunk);

    // Far longer than any name, label or path; a longer string is only there to be copied.
    static constexpr uint32_t MaxStringUnits = 1u << 20;

    uint32_t count() const { return m_count; }
    // The string as UTF-8, valid as long as the pool; throws FormatError when it lies outside
    // the pool or is longer than MaxStringUnits.
    const std::string &at(uint32_t index) const;

private:
    ByteSource *m_src = nullptr;
    uint64_t m_offsets = 0;
    uint64_t m_strings = 0;
    uint64_t m_end = 0;
    uint32_t m_count = 0;
    bool m_utf8 = false;
    // Node-based, so a reference handed out stays valid as the cache grows (and when the pool moves).
    mutable std::unordered_map<uint32_t, std::string> m_decoded;

    std::string decode(uint32_t index) const;
};

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(const std::u16string &text);
// Repairs UTF-8 that carries surrogate pairs as two three-byte sequences, and replaces bytes
// that are not UTF-8, so the report is always valid UTF-8.
std::string cleanUtf8(const std::string &text);

} // namespace aapt
