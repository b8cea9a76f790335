#include "convert.h"

#include "binary_shape.h"
#include "text_plist.h"
#include "xml_shape.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace pc {
namespace {

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

std::string_view trimmedStart(std::string_view s)
{
    const size_t first = s.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

// libplist's parse of a list whose shape was checked; refusal says what it was not.
template <typename Parse>
PlistPtr parsedBy(Parse parse, std::string_view data, const char *refusal, std::string &error)
{
    plist_t node = nullptr;
    parse(data.data(), static_cast<uint32_t>(data.size()), &node);
    if (!node)
        error = refusal;
    return PlistPtr(node);
}

} // namespace

PlistPtr parsePropertyList(std::string_view bytes, std::string &error)
{
    if (bytes.size() > kMaxInputSize) {
        error = "the list is too large";
        return nullptr;
    }
    if (startsWith(bytes, "bplist")) {
        if (!startsWith(bytes, "bplist00")) {
            error = "unsupported binary property list version";
            return nullptr;
        }
        // libplist expands shared objects and recurses as deep as the list goes.
        if (!checkBinaryShape(bytes, error))
            return nullptr;
        return parsedBy(plist_from_bin, bytes, "not a valid binary property list", error);
    }
    std::string text;
    if (!decodeTextBytes(bytes, text, error))
        return nullptr;
    const std::string_view start = trimmedStart(text);
    // Old-style data also begins with '<', but never with "<?", "<!" or "<plist".
    if (startsWith(start, "<?") || startsWith(start, "<!") || startsWith(start, "<plist")) {
        if (!checkXmlShape(text, error))
            return nullptr;
        return parsedBy(plist_from_xml, text, "not a valid XML property list", error);
    }
    PlistPtr root = parseTextPlist(text, error);
    if (!root)
        error = "not a valid text property list: " + error;
    return root;
}

bool readFile(const std::string &path, std::string &bytes, std::string &error)
{
    // Without O_NONBLOCK the open of a pipe would wait for a writer that may never come.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::string("cannot open: ") + std::strerror(errno);
        return false;
    }
    struct stat st
    {
    };
    bool ok = ::fstat(fd, &st) == 0;
    if (!ok) {
        error = std::string("cannot read: ") + std::strerror(errno);
    } else if (S_ISDIR(st.st_mode)) {
        error = "is a folder, not a file";
        ok = false;
    } else if (!S_ISREG(st.st_mode)) {
        error = "is not a regular file";
        ok = false;
    } else if (ok && static_cast<std::uint64_t>(st.st_size) > kMaxInputSize) {
        error = "the list is too large";
        ok = false;
    }
    bytes.clear();
    char buffer[1 << 16];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = std::string("cannot read: ") + std::strerror(errno);
            ok = false;
        } else if (n == 0) {
            break;
        } else if (bytes.size() + static_cast<size_t>(n) > kMaxInputSize) {
            error = "the list is too large";
            ok = false;
        } else {
            bytes.append(buffer, static_cast<size_t>(n));
        }
    }
    ::close(fd);
    return ok;
}

AtomicFile::~AtomicFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
}

bool AtomicFile::open(const std::string &path, std::string &error)
{
    m_path = path;
    const size_t slash = path.find_last_of('/');
    m_folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    return openUnnamed(m_folder) || openNamed(m_folder, error);
}

bool AtomicFile::openUnnamed(const std::string &folder)
{
    // The mode is taken through the umask, as for any new file.
    m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    m_unnamed = m_fd >= 0;
    return m_unnamed;
}

bool AtomicFile::openNamed(const std::string &folder, std::string &error)
{
    std::string temp = folder + "/.plistconvert-XXXXXX";
    m_fd = ::mkstemp(temp.data());
    if (m_fd < 0) {
        error = "cannot write into '" + folder + "': " + std::strerror(errno);
        return false;
    }
    m_temp = temp;
    // mkstemp makes the file private; give it the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(m_fd, 0666 & ~mask);
    return true;
}

void AtomicFile::write(std::string_view data)
{
    while (m_fd >= 0 && m_errno == 0 && !data.empty()) {
        const ssize_t n = ::write(m_fd, data.data(), data.size());
        if (n < 0 && errno != EINTR)
            m_errno = errno;
        else if (n > 0)
            data.remove_prefix(static_cast<size_t>(n));
    }
}

bool AtomicFile::commit(std::string &error)
{
    if (m_fd < 0)
        return false;
    // An unnamed file takes the final name straight away when nothing has it yet (linking never
    // replaces a file). Otherwise it gets a name of its own first, which the rename then moves
    // over the old file in one step.
    if (m_errno == 0 && m_unnamed) {
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, m_path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            if (::close(std::exchange(m_fd, -1)) == 0)
                return true;
            error = std::string("write failed: ") + std::strerror(errno);
            ::unlink(m_path.c_str()); // it was not there before
            return false;
        }
        for (unsigned attempt = 0; m_temp.empty() && m_errno == 0; ++attempt) {
            const std::string temp =
                m_folder + "/.plistconvert-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
                m_temp = temp;
            else if (errno != EEXIST || attempt >= 100)
                m_errno = errno;
        }
    }
    const int closed = ::close(std::exchange(m_fd, -1));
    if (m_errno == 0 && closed != 0)
        m_errno = errno;
    if (m_errno != 0) {
        error = std::string("write failed: ") + std::strerror(m_errno);
        return false;
    }
    if (::rename(m_temp.c_str(), m_path.c_str()) != 0) {
        error = "cannot replace '" + m_path + "': " + std::strerror(errno);
        return false;
    }
    m_temp.clear();
    return true;
}

} // namespace pc
