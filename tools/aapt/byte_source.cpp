#include "byte_source.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <zip.h>

namespace aapt {

void ByteSource::read(uint64_t offset, void *out, size_t len)
{
    if (offset > size() || len > size() - offset)
        throw FormatError("read past the end of the data");
    if (len)
        readRaw(offset, out, len);
}

uint8_t ByteSource::u8(uint64_t offset)
{
    uint8_t v;
    read(offset, &v, 1);
    return v;
}

uint16_t ByteSource::u16(uint64_t offset)
{
    uint8_t b[2];
    read(offset, b, 2);
    return uint16_t(b[0] | b[1] << 8);
}

uint32_t ByteSource::u32(uint64_t offset)
{
    uint8_t b[4];
    read(offset, b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void MemorySource::readRaw(uint64_t offset, void *out, size_t len)
{
    std::memcpy(out, m_bytes.data() + offset, len);
}

namespace {

// Stored members are read through libzip's seek. Two buffers sit in front of it: a large one
// for walking the chunk headers front to back, which touches most of the data, and a small one
// for the scattered look-ups that follow, which touch very little of it.
class StoredMemberSource : public ByteSource
{
public:
    StoredMemberSource(zip_file_t *file, uint64_t size) : m_file(file), m_size(size) {}
    ~StoredMemberSource() override { zip_fclose(m_file); }
    uint64_t size() const override { return m_size; }
    void setSequential(bool on) override { m_sequential = on; }

protected:
    void readRaw(uint64_t offset, void *out, size_t len) override
    {
        auto *dst = static_cast<uint8_t *>(out);
        while (len) {
            Buffer &b = pick(offset);
            const size_t at = size_t(offset - b.start);
            const size_t n = std::min(len, b.data.size() - at);
            std::memcpy(dst, b.data.data() + at, n);
            dst += n;
            offset += n;
            len -= n;
        }
    }

private:
    struct Buffer
    {
        uint64_t start = 0;
        uint64_t used = 0;
        std::vector<uint8_t> data;
        bool holds(uint64_t offset) const { return offset >= start && offset - start < data.size(); }
    };

    static constexpr size_t StreamSize = 256 * 1024;
    static constexpr size_t BlockSize = 4096;

    Buffer &pick(uint64_t offset)
    {
        if (m_stream.holds(offset))
            return m_stream;
        for (Buffer &b : m_blocks)
            if (b.holds(offset)) {
                b.used = ++m_clock;
                return b;
            }
        if (m_sequential) {
            fill(m_stream, offset, StreamSize);
            return m_stream;
        }
        // Replace the least recently used block: the default configuration's chunks are
        // visited again for every locale.
        Buffer *victim = &m_blocks[0];
        for (Buffer &b : m_blocks)
            if (b.used < victim->used)
                victim = &b;
        fill(*victim, offset / BlockSize * BlockSize, BlockSize);
        victim->used = ++m_clock;
        return *victim;
    }

    void fill(Buffer &b, uint64_t start, size_t size)
    {
        b.data.clear();
        const size_t want = size_t(std::min<uint64_t>(size, m_size - start));
        if (zip_fseek(m_file, zip_int64_t(start), SEEK_SET) != 0)
            throw FormatError("cannot seek in member: " +
                              std::string(zip_error_strerror(zip_file_get_error(m_file))));
        b.data.resize(want);
        size_t got = 0;
        while (got < want) {
            const zip_int64_t n = zip_fread(m_file, b.data.data() + got, want - got);
            if (n <= 0) {
                b.data.clear();
                throw FormatError("cannot read member");
            }
            got += size_t(n);
        }
        b.start = start;
    }

    zip_file_t *m_file;
    uint64_t m_size;
    bool m_sequential = false;
    uint64_t m_clock = 0;
    Buffer m_stream;
    std::array<Buffer, 32> m_blocks;
};

} // namespace

ZipArchive::ZipArchive(const std::string &path)
{
    int err = 0;
    m_zip = zip_open(path.c_str(), ZIP_RDONLY, &err);
    if (!m_zip) {
        zip_error_t error;
        zip_error_init_with_code(&error, err);
        std::string message = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw FormatError("not a readable zip archive (" + message + ")");
    }
}

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool ZipArchive::contains(const char *member) const
{
    return zip_name_locate(m_zip, member, 0) >= 0;
}

std::unique_ptr<ByteSource> ZipArchive::open(const char *member, uint64_t maxSize)
{
    const zip_int64_t index = zip_name_locate(m_zip, member, 0);
    if (index < 0)
        throw FormatError(std::string("no ") + member + " in the package");
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
        !(st.valid & ZIP_STAT_COMP_METHOD))
        throw FormatError(std::string("cannot read the directory entry of ") + member);
    if (st.size > maxSize)
        throw FormatError(std::string(member) + " is too large (" + std::to_string(st.size) + " bytes)");
    zip_file_t *file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file)
        throw FormatError(std::string("cannot open ") + member + ": " + zip_strerror(m_zip));
    if (st.comp_method == ZIP_CM_STORE)
        return std::make_unique<StoredMemberSource>(file, st.size);

    // Inflate in steps and never past the declared size, whatever the stream holds. Reserving
    // the declared size (already bounded by maxSize) costs only address space: pages become
    // resident as data arrives, and the buffer never doubles while holding its old copy.
    std::vector<uint8_t> bytes;
    bytes.reserve(size_t(st.size));
    uint8_t buffer[65536];
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            std::string message = zip_error_strerror(zip_file_get_error(file));
            zip_fclose(file);
            throw FormatError(std::string("cannot inflate ") + member + ": " + message);
        }
        if (n == 0)
            break;
        if (bytes.size() + size_t(n) > st.size) {
            zip_fclose(file);
            throw FormatError(std::string(member) + " inflates beyond its declared size");
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    zip_fclose(file);
    if (bytes.size() != st.size)
        throw FormatError(std::string(member) + " is shorter than its declared size");
    return std::make_unique<MemorySource>(std::move(bytes));
}

} // namespace aapt
