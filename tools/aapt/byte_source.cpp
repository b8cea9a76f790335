#include "byte_source.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace aapt {

void ByteSource::read(uint64_t offset, void *out, size_t len) const
{
    if (offset > m_size || len > m_size - offset)
        throw FormatError("read past the end of the data");
    if (len)
        std::memcpy(out, m_data + offset, len);
}

uint8_t ByteSource::u8(uint64_t offset) const
{
    uint8_t v;
    read(offset, &v, 1);
    return v;
}

uint16_t ByteSource::u16(uint64_t offset) const
{
    uint8_t b[2];
    read(offset, b, 2);
    return uint16_t(b[0] | b[1] << 8);
}

uint32_t ByteSource::u32(uint64_t offset) const
{
    uint8_t b[4];
    read(offset, b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

uint64_t ByteSource::u64(uint64_t offset) const
{
    return u32(offset) | uint64_t(u32(offset + 4)) << 32;
}

MemorySource::MemorySource(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes))
{
    m_data = m_bytes.data();
    m_size = m_bytes.size();
}

MemorySource::MemorySource(std::unique_ptr<uint8_t[]> buffer, size_t len) : m_buffer(std::move(buffer))
{
    m_data = m_buffer.get();
    m_size = len;
}

MappedFile::MappedFile(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw FormatError(std::string("not a readable zip archive (") + std::strerror(errno) + ")");
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FormatError("not a readable zip archive (not a regular file)");
    }
    m_size = uint64_t(st.st_size);
    if (m_size) {
        void *p = mmap(nullptr, size_t(m_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (p == MAP_FAILED) {
            const int error = errno;
            ::close(fd);
            throw FormatError(std::string("not a readable zip archive (") + std::strerror(error) + ")");
        }
        m_data = static_cast<const uint8_t *>(p);
    }
    ::close(fd);
}

MappedFile::~MappedFile()
{
    if (m_data)
        munmap(const_cast<uint8_t *>(m_data), size_t(m_size));
}

ViewSource::ViewSource(std::shared_ptr<const ByteSource> whole, uint64_t offset, uint64_t size)
    : m_whole(std::move(whole))
{
    if (offset > m_whole->size() || size > m_whole->size() - offset)
        throw FormatError("member data outside the archive");
    m_data = m_whole->data() + offset;
    m_size = size;
}

} // namespace aapt
