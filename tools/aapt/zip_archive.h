// A zip archive read in place: the central directory once, then members on request. Stored
// members are views onto the archive's bytes; deflated ones are inflated into memory within a
// size limit. Encrypted members and other compression methods are refused.
#pragma once

#include "byte_source.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace aapt {

class ZipArchive
{
public:
    struct Entry
    {
        std::string_view name; // points into the archive's bytes
        uint64_t localHeader = 0;
        uint64_t compressedSize = 0;
        uint64_t size = 0;
        uint32_t crc = 0;
        uint16_t flags = 0;
        uint16_t method = 0;
        bool encrypted() const { return flags & 0x0001; }
        bool stored() const { return method == 0; }
    };

    // Throws FormatError when the file is not a zip archive: also when it has no end record, or
    // when the directory lists members whose bytes overlap (one member listed twice, say).
    explicit ZipArchive(const std::string &path);
    explicit ZipArchive(std::shared_ptr<const ByteSource> bytes);

    const std::vector<Entry> &entries() const { return m_entries; }
    // The first entry of that name, or null.
    const Entry *find(std::string_view name) const;
    bool contains(const char *member) const { return find(member) != nullptr; }

    // The member's bytes. Throws FormatError when it is missing, larger than maxSize, encrypted,
    // compressed in a way other than deflate, or damaged.
    std::unique_ptr<ByteSource> open(const char *member, uint64_t maxSize) const;
    std::unique_ptr<ByteSource> open(const Entry &entry, uint64_t maxSize) const;

private:
    void readDirectory();
    // Throws when two members share bytes or a member runs into the directory at directory.
    void refuseOverlaps(uint64_t directory) const;

    std::shared_ptr<const ByteSource> m_bytes;
    std::vector<Entry> m_entries;
};

} // namespace aapt
