#include "zip_archive.h"

#include <algorithm>
#include <zlib.h>

namespace aapt {

namespace {

constexpr uint32_t EndSignature = 0x06054b50;
constexpr uint32_t End64LocatorSignature = 0x07064b50;
constexpr uint32_t End64Signature = 0x06064b50;
constexpr uint32_t CentralSignature = 0x02014b50;
constexpr uint32_t LocalSignature = 0x04034b50;
constexpr uint64_t EndSize = 22;
constexpr uint64_t CentralSize = 46;
constexpr uint64_t LocalSize = 30;

std::string named(const ZipArchive::Entry &e)
{
    return std::string(e.name);
}

} // namespace

ZipArchive::ZipArchive(const std::string &path) : m_bytes(std::make_shared<MappedFile>(path))
{
    readDirectory();
}

ZipArchive::ZipArchive(std::shared_ptr<const ByteSource> bytes) : m_bytes(std::move(bytes))
{
    readDirectory();
}

void ZipArchive::readDirectory()
{
    const ByteSource &z = *m_bytes;
    const uint64_t size = z.size();
    if (size < EndSize)
        throw FormatError("not a readable zip archive (no end of central directory)");
    // The end record sits in the last 64 KiB and 22 bytes. Scanning back from the end, the first
    // signature whose comment fits in the file and whose directory starts where it says is the
    // one: a signature inside a comment fails that, and bytes after the comment (left by some
    // signing and download tools) do no harm, as on the device.
    const uint64_t lowest = size > EndSize + 0xffff ? size - EndSize - 0xffff : 0;
    uint64_t end = UINT64_MAX;
    for (uint64_t at = size - EndSize + 1; at-- > lowest;) {
        if (z.data()[at] != 0x50 || z.u32(at) != EndSignature || at + EndSize + z.u16(at + 20) > size)
            continue;
        const uint64_t directory = z.u32(at + 16);
        if (z.u16(at + 10) == 0 || directory == 0xffffffff ||
            (directory < at && z.u32(directory) == CentralSignature)) {
            end = at;
            break;
        }
    }
    if (end == UINT64_MAX)
        throw FormatError("not a readable zip archive (no end of central directory)");
    if (z.u16(end + 4) != 0 || z.u16(end + 6) != 0)
        throw FormatError("not a readable zip archive (split over several disks)");
    uint64_t count = z.u16(end + 10);
    uint64_t directorySize = z.u32(end + 12);
    uint64_t directory = z.u32(end + 16);
    if ((count == 0xffff || directorySize == 0xffffffff || directory == 0xffffffff) && end >= 20 &&
        z.u32(end - 20) == End64LocatorSignature) {
        const uint64_t end64 = z.u64(end - 20 + 8);
        if (end64 > size || size - end64 < 56 || z.u32(end64) != End64Signature)
            throw FormatError("not a readable zip archive (bad zip64 end of central directory)");
        count = z.u64(end64 + 32);
        directorySize = z.u64(end64 + 40);
        directory = z.u64(end64 + 48);
    }
    if (directory > size || directorySize > size - directory || count > directorySize / CentralSize)
        throw FormatError("not a readable zip archive (central directory outside the file)");

    m_entries.reserve(size_t(count));
    uint64_t at = directory;
    const uint64_t limit = directory + directorySize;
    for (uint64_t i = 0; i < count; ++i) {
        if (limit - at < CentralSize || z.u32(at) != CentralSignature)
            throw FormatError("not a readable zip archive (damaged central directory)");
        Entry e;
        e.flags = z.u16(at + 8);
        e.method = z.u16(at + 10);
        e.crc = z.u32(at + 16);
        e.compressedSize = z.u32(at + 20);
        e.size = z.u32(at + 24);
        const uint16_t nameLength = z.u16(at + 28), extraLength = z.u16(at + 30),
                       commentLength = z.u16(at + 32);
        e.localHeader = z.u32(at + 42);
        const uint64_t next = at + CentralSize + nameLength + extraLength + commentLength;
        if (next > limit)
            throw FormatError("not a readable zip archive (damaged central directory)");
        e.name = std::string_view(reinterpret_cast<const char *>(z.data() + at + CentralSize), nameLength);
        // Sizes and offsets too large for 32 bits stand in the zip64 extra field, in this order.
        uint64_t extra = at + CentralSize + nameLength;
        const uint64_t extraEnd = extra + extraLength;
        while (extraEnd - extra >= 4) {
            const uint16_t id = z.u16(extra), length = z.u16(extra + 2);
            if (length > extraEnd - extra - 4)
                break;
            if (id == 0x0001) {
                uint64_t field = extra + 4;
                for (uint64_t *value : {&e.size, &e.compressedSize, &e.localHeader})
                    if (*value == 0xffffffff) {
                        if (field + 8 > extra + 4 + length)
                            throw FormatError("not a readable zip archive (damaged zip64 field)");
                        *value = z.u64(field);
                        field += 8;
                    }
            }
            extra += 4 + length;
        }
        m_entries.push_back(e);
        at = next;
    }
    refuseOverlaps(directory);
}

void ZipArchive::refuseOverlaps(uint64_t directory) const
{
    // Each member's local header and data take room of their own before the directory. One
    // member listed many times over would have its data read again for each listing.
    std::vector<std::pair<uint64_t, uint64_t>> spans;
    spans.reserve(m_entries.size());
    bool ordered = true;
    for (const Entry &e : m_entries) {
        if (e.localHeader > directory || e.compressedSize > directory - e.localHeader ||
            directory - e.localHeader - e.compressedSize < LocalSize)
            throw FormatError("not a readable zip archive (" + named(e) + " overlaps the central directory)");
        ordered = ordered && (spans.empty() || spans.back().first < e.localHeader);
        spans.emplace_back(e.localHeader, e.localHeader + LocalSize + e.compressedSize);
    }
    if (!ordered)
        std::sort(spans.begin(), spans.end());
    for (size_t i = 1; i < spans.size(); ++i)
        if (spans[i].first < spans[i - 1].second)
            throw RefusedError("not a readable zip archive (members overlap or are listed twice)");
}

const ZipArchive::Entry *ZipArchive::find(std::string_view name) const
{
    for (const Entry &e : m_entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

std::unique_ptr<ByteSource> ZipArchive::open(const char *member, uint64_t maxSize) const
{
    const Entry *e = find(member);
    if (!e)
        throw FormatError(std::string("no ") + member + " in the package");
    return open(*e, maxSize);
}

std::unique_ptr<ByteSource> ZipArchive::open(const Entry &e, uint64_t maxSize) const
{
    if (e.encrypted())
        throw RefusedError(named(e) + " is encrypted");
    if (e.size > maxSize)
        throw RefusedError(named(e) + " is too large (" + std::to_string(e.size) + " bytes)");
    const ByteSource &z = *m_bytes;
    if (e.localHeader > z.size() || z.size() - e.localHeader < LocalSize ||
        z.u32(e.localHeader) != LocalSignature)
        throw FormatError("cannot read the local header of " + named(e));
    const uint64_t start = e.localHeader + LocalSize + z.u16(e.localHeader + 26) + z.u16(e.localHeader + 28);
    if (start > z.size() || e.compressedSize > z.size() - start)
        throw FormatError(named(e) + " runs past the end of the archive");

    if (e.method == 0) {
        if (e.compressedSize != e.size)
            throw FormatError(named(e) + " is stored with two different sizes");
        return std::make_unique<ViewSource>(m_bytes, start, e.size);
    }
    if (e.method != 8)
        throw FormatError(named(e) + " uses compression method " + std::to_string(e.method) +
                          ", which is not supported");

    // Inflate never past the declared size (already bounded by maxSize), whatever the stream
    // holds: the buffer has room for one byte more, which only a stream that lies can fill.
    // Left uninitialized, it costs only address space until data arrives.
    const size_t room = size_t(e.size) + 1;
    std::unique_ptr<uint8_t[]> out(new uint8_t[room]);
    z_stream s{};
    if (inflateInit2(&s, -MAX_WBITS) != Z_OK)
        throw FormatError("cannot inflate " + named(e));
    s.next_in = const_cast<Bytef *>(z.data() + start);
    s.next_out = out.get();
    uint64_t inLeft = e.compressedSize, outLeft = room;
    int status;
    do {
        if (s.avail_in == 0) {
            s.avail_in = uInt(std::min<uint64_t>(inLeft, 1u << 30));
            inLeft -= s.avail_in;
        }
        if (s.avail_out == 0) {
            s.avail_out = uInt(std::min<uint64_t>(outLeft, 1u << 30));
            outLeft -= s.avail_out;
        }
        status = inflate(&s, Z_NO_FLUSH);
    } while (status == Z_OK);
    const uint64_t produced = s.total_out;
    inflateEnd(&s);
    if (produced > e.size)
        throw RefusedError(named(e) + " inflates beyond its declared size");
    if (status != Z_STREAM_END)
        throw FormatError("cannot inflate " + named(e) + ": damaged or cut off");
    if (produced != e.size)
        throw FormatError(named(e) + " is shorter than its declared size");
    if (crc32_z(0, out.get(), size_t(produced)) != e.crc)
        throw FormatError(named(e) + " fails its checksum");
    return std::make_unique<MemorySource>(std::move(out), size_t(produced));
}

} // namespace aapt
