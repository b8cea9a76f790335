#include "byte_source.h"

#include <atomic>
#include <cerrno>
#include <csignal>
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

namespace {

// A mapped file that another program cuts short makes every read past its new end fault with
// SIGBUS. The guard puts zero pages in place of what is gone, so that the reader goes on over
// zeros (which it must survive like any other bytes) and the report is refused at its end.
struct Guarded
{
    std::atomic<uintptr_t> begin{0};
    std::atomic<uintptr_t> end{0};
};
constexpr size_t GuardedCount = 8;
Guarded g_guarded[GuardedCount];
std::atomic<bool> g_cutShort{false};
struct sigaction g_previous;

void onBusError(int signal, siginfo_t *info, void *context)
{
    const uintptr_t address = reinterpret_cast<uintptr_t>(info->si_addr);
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    for (Guarded &g : g_guarded) {
        const uintptr_t begin = g.begin.load(), end = g.end.load();
        if (address < begin || address >= end)
            continue;
        const uintptr_t from = address & ~(page - 1);
        if (mmap(reinterpret_cast<void *>(from), end - from, PROT_READ,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            g_cutShort = true;
            return;
        }
        break;
    }
    // Not ours: what would have happened without the guard.
    if (g_previous.sa_flags & SA_SIGINFO && g_previous.sa_sigaction) {
        g_previous.sa_sigaction(signal, info, context);
        return;
    }
    std::signal(SIGBUS, g_previous.sa_handler == SIG_IGN ? SIG_DFL : g_previous.sa_handler);
}

void guard(const uint8_t *data, uint64_t size)
{
    static const bool installed = [] {
        struct sigaction action
        {
        };
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        return sigaction(SIGBUS, &action, &g_previous) == 0;
    }();
    if (!installed)
        return;
    for (Guarded &g : g_guarded) {
        if (g.end.load() != 0)
            continue;
        g.begin = reinterpret_cast<uintptr_t>(data);
        g.end = reinterpret_cast<uintptr_t>(data) + size;
        return;
    }
}

void unguard(const uint8_t *data)
{
    for (Guarded &g : g_guarded) {
        if (g.begin.load() == reinterpret_cast<uintptr_t>(data)) {
            g.end = 0;
            g.begin = 0;
        }
    }
}

} // namespace

bool MappedFile::anyCutShort()
{
    return g_cutShort;
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
        guard(m_data, m_size);
    }
    ::close(fd);
}

MappedFile::~MappedFile()
{
    if (m_data) {
        unguard(m_data);
        munmap(const_cast<uint8_t *>(m_data), size_t(m_size));
    }
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
