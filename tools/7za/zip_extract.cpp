#include "zip_extract.h"

#include "member_path.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <zip.h>

namespace za {
namespace {

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    Fd(Fd &&other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    Fd &operator=(Fd &&other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

std::string joined(const std::vector<std::string> &components)
{
    std::string path;
    for (const auto &c : components) {
        if (!path.empty())
            path += '/';
        path += c;
    }
    return path;
}

bool isLink(zip_t *archive, zip_uint64_t index)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) != 0)
        return false;
    return opsys == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

// A member name as messages show it: a name of kilobytes is cut in its middle.
std::string shown(const std::string &name)
{
    constexpr std::size_t kHead = 120, kTail = 60;
    if (name.size() <= kHead + kTail + 20)
        return name;
    return name.substr(0, kHead) + "[... " + std::to_string(name.size() - kHead - kTail) + " bytes ...]" +
           name.substr(name.size() - kTail);
}

const char *problemText(PathProblem problem)
{
    switch (problem) {
    case PathProblem::Absolute:
        return "absolute path";
    case PathProblem::ParentReference:
        return "path leaves the output folder (\"..\")";
    case PathProblem::Empty:
        return "empty path";
    case PathProblem::None:
        break;
    }
    return "";
}

std::string openErrorText(int code)
{
    switch (code) {
    case ZIP_ER_NOENT:
        return "cannot find the archive";
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
        return std::string("cannot read the archive: ") + std::strerror(errno);
    case ZIP_ER_NOZIP:
        return "not a zip archive";
    case ZIP_ER_INCONS:
        return "the archive is corrupted (inconsistent central directory)";
    default: {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        std::string text = std::string("cannot open the archive: ") + zip_error_strerror(&error);
        zip_error_fini(&error);
        return text;
    }
    }
}

class Extractor
{
public:
    Extractor(const ExtractRequest &request, std::ostream &log, std::ostream &err)
        : m_request(request), m_log(log), m_err(err)
    {
        for (const auto &p : request.patterns)
            m_patterns.emplace_back(p);
    }

    ExtractResult run();

private:
    bool wanted(const std::vector<std::string> &components, std::string_view leaf) const;
    int openFolder(const std::vector<std::string> &folders, std::string &why);
    void extractOne(zip_t *archive, zip_uint64_t index, const std::string &name,
                    const std::vector<std::string> &components);
    enum class Copy { Done, TooLarge, PastTotal, PastExpanded, Failed };
    Copy copyMember(zip_t *archive, zip_uint64_t index, int fd, std::uint64_t &copied, std::string &why);
    void refuse(const std::string &name, const std::string &why)
    {
        m_err << "7za: skipped '" << shown(name) << "': " << why << '\n';
        ++m_result.skipped;
    }
    void fail(const std::string &name, const std::string &why)
    {
        m_err << "7za: cannot extract '" << shown(name) << "': " << why << '\n';
        ++m_result.failed;
    }
    void stopRun(const std::string &name, const std::string &why)
    {
        m_err << "7za: stopped at '" << shown(name) << "': " << why << '\n';
        ++m_result.skipped;
        m_result.stopped = true;
    }
    std::string pastTotalText() const
    {
        return "the members of this run would pass the limit of " + std::to_string(m_request.maxTotalSize) +
               " bytes in all";
    }
    std::size_t sharedLevels(const std::vector<std::string> &folders) const;

    // One folder of the path last walked. Only the first levels (which the members of a
    // bundle share) and the deepest keep their folder open, so a path thousands of folders
    // deep needs neither thousands of descriptors nor memory beyond its own length.
    struct Level
    {
        std::string name;
        Fd fd;
    };
    static constexpr std::size_t kOpenLevels = 32;

    const ExtractRequest &m_request;
    std::ostream &m_log;
    std::ostream &m_err;
    std::vector<MemberPattern> m_patterns;
    ExtractResult m_result;
    Fd m_root;
    std::vector<Level> m_chain;   // the folders below m_root of the member written last
    std::uint64_t m_written = 0;  // bytes of all members written so far
    std::uint64_t m_expanded = 0; // bytes decompressed so far, written or thrown away
    std::uint64_t m_entries = 0;  // files and folders this run may have created so far
    const std::string m_tempPrefix = ".7za-" + std::to_string(::getpid()) + "-";
    unsigned m_tempCounter = 0;
};

bool Extractor::wanted(const std::vector<std::string> &components, std::string_view leaf) const
{
    if (m_patterns.empty())
        return true;
    for (const auto &p : m_patterns) {
        if (p.matchesLeaf(leaf) && p.matches(components, m_request.recursive))
            return true;
    }
    return false;
}

// How many leading folders of `folders` the previous member's path shares.
std::size_t Extractor::sharedLevels(const std::vector<std::string> &folders) const
{
    std::size_t n = 0;
    while (n < m_chain.size() && n < folders.size() && m_chain[n].name == folders[n])
        ++n;
    return n;
}

// Walks (creating where missing) the folders below the output folder without following
// links, so that a link planted in the output folder cannot carry a write outside it.
// The part of the path shared with the previous member is not walked again.
int Extractor::openFolder(const std::vector<std::string> &folders, std::string &why)
{
    std::size_t start = sharedLevels(folders);
    while (start > 0 && !m_chain[start - 1].fd.valid())
        --start;
    m_chain.erase(m_chain.begin() + static_cast<std::ptrdiff_t>(start), m_chain.end());
    int current = start == 0 ? m_root.get() : m_chain.back().fd.get();
    for (std::size_t k = start; k < folders.size(); ++k) {
        const std::string &name = folders[k];
        const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
        Fd next(::openat(current, name.c_str(), flags));
        if (!next.valid() && errno == ENOENT) {
            if (::mkdirat(current, name.c_str(), 0777) != 0 && errno != EEXIST) {
                why = "cannot create folder '" + name + "': " + std::strerror(errno);
                return -1;
            }
            next = Fd(::openat(current, name.c_str(), flags));
        }
        if (!next.valid()) {
            why = (errno == ELOOP || errno == ENOTDIR)
                      ? "'" + name + "' in the output folder is a link or a file, not a folder"
                      : "cannot open folder '" + name + "': " + std::strerror(errno);
            return -1;
        }
        current = next.get();
        if (k > kOpenLevels)
            m_chain.back().fd = Fd(); // the parent is passed; only its name is kept
        m_chain.push_back({name, std::move(next)});
    }
    return current;
}

ExtractResult Extractor::run()
{
    const std::string &path = m_request.archive;
    struct stat st;
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISREG(st.st_mode) && st.st_size == 0) {
        // libzip would take an empty file for an empty archive.
        m_err << "7za: " << path << ": not a zip archive (empty file)\n";
        return m_result;
    }
    if (exists && S_ISDIR(st.st_mode)) {
        m_err << "7za: " << path << ": is a folder, not an archive\n";
        return m_result;
    }
    // Opening a pipe would wait for a writer, and a device may never end.
    if (exists && !S_ISREG(st.st_mode)) {
        m_err << "7za: " << path << ": is not a regular file\n";
        return m_result;
    }
    int code = 0;
    zip_t *archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!archive) {
        m_err << "7za: " << path << ": " << openErrorText(code) << '\n';
        return m_result;
    }
    m_result.archiveOpened = true;

    // The output folder is made even when nothing matches, as callers expect it.
    std::error_code ec;
    std::filesystem::create_directories(m_request.outDir, ec);
    m_root = Fd(::open(m_request.outDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!m_root.valid()) {
        m_err << "7za: cannot create the output folder '" << m_request.outDir << "': " << std::strerror(errno)
              << '\n';
        ++m_result.failed;
        if (m_request.releaseArchive)
            zip_discard(archive);
        return m_result;
    }

    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        const char *rawName = zip_get_name(archive, i, ZIP_FL_ENC_GUESS);
        if (!rawName)
            continue;
        const std::string_view view(rawName);
        if (view.empty() || view.back() == '/' || view.back() == '\\')
            continue; // folders are made as their files need them
        const size_t slash = view.find_last_of("/\\");
        const std::string_view leaf = view.substr(slash == std::string_view::npos ? 0 : slash + 1);
        // Most members of a large archive fail here, before any further work.
        if (!m_patterns.empty()) {
            bool any = false;
            for (const auto &p : m_patterns)
                any = any || p.matchesLeaf(leaf);
            if (!any)
                continue;
        }
        const std::string name(view);
        SplitPath split = splitMemberPath(name);
        if (split.components.empty() || !wanted(split.components, split.components.back()))
            continue;
        if (split.problem != PathProblem::None) {
            refuse(name, problemText(split.problem));
            continue;
        }
        extractOne(archive, i, name, split.components);
        if (m_result.stopped)
            break;
    }
    if (m_request.releaseArchive)
        zip_discard(archive);

    if (m_result.extracted + m_result.failed + m_result.skipped == 0)
        m_log << "No files to process\n";
    m_log << "Files: " << m_result.extracted << '\n';
    if (m_result.failed + m_result.skipped == 0)
        m_log << "Everything is Ok\n";
    return m_result;
}

void Extractor::extractOne(zip_t *archive, zip_uint64_t index, const std::string &name,
                           const std::vector<std::string> &components)
{
    if (isLink(archive, index)) {
        refuse(name, "links are not extracted");
        return;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive, index, 0, &st) != 0) {
        fail(name, zip_strerror(archive));
        return;
    }
    if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
        fail(name, "the member is encrypted");
        return;
    }
    if ((st.valid & ZIP_STAT_SIZE) && st.size > m_request.maxMemberSize) {
        refuse(name, "expands to " + std::to_string(st.size) + " bytes, more than the limit of " +
                         std::to_string(m_request.maxMemberSize));
        return;
    }
    if ((st.valid & ZIP_STAT_SIZE) && st.size > m_request.maxTotalSize - m_written) {
        stopRun(name, pastTotalText());
        return;
    }

    const std::vector<std::string> folders(components.begin(), components.end() - 1);
    const std::string &leaf = components.back();
    std::string why;
    // Counted before anything is made: the folders the last path does not share, and the file.
    const std::uint64_t entries = folders.size() - sharedLevels(folders) + 1;
    if (entries > m_request.maxEntries - m_entries) {
        stopRun(name, "this run would create more than " + std::to_string(m_request.maxEntries) +
                          " files and folders");
        return;
    }
    const int folder = openFolder(folders, why);
    if (folder < 0) {
        fail(name, why);
        return;
    }

    // A short fixed-form name, so a long member name cannot push it past the limit.
    std::string tempName;
    Fd out;
    for (int attempt = 0; attempt < 100 && !out.valid(); ++attempt) {
        tempName = m_tempPrefix + std::to_string(++m_tempCounter) + ".part";
        out = Fd(
            ::openat(folder, tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!out.valid() && errno != EEXIST)
            break;
    }
    if (!out.valid()) {
        fail(name, std::string("cannot create a file in '") + joined(folders) + "': " + std::strerror(errno));
        return;
    }

    std::uint64_t size = 0;
    const Copy copied = copyMember(archive, index, out.get(), size, why);
    bool ok = copied == Copy::Done;
    if (ok && (st.valid & ZIP_STAT_MTIME)) {
        const struct timespec times[2] = {{0, UTIME_NOW}, {st.mtime, 0}};
        ::futimens(out.get(), times);
    }
    if (ok && ::close(out.release()) != 0) {
        why = std::string("write failed: ") + std::strerror(errno);
        ok = false;
    }
    // Replacing a file by renaming over it makes the file system write the new data out
    // at once; removing the old file first avoids that stall. The new file is complete
    // at this point, so a failure still leaves no partial file.
    if (ok)
        ::unlinkat(folder, leaf.c_str(), 0);
    if (ok && ::renameat(folder, tempName.c_str(), folder, leaf.c_str()) != 0) {
        why = "cannot replace '" + (folders.empty() ? leaf : joined(folders) + "/" + leaf) +
              "': " + std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        ::unlinkat(folder, tempName.c_str(), 0);
        if (copied == Copy::TooLarge)
            refuse(name, why);
        else if (copied == Copy::PastTotal)
            stopRun(name, pastTotalText());
        else if (copied == Copy::PastExpanded)
            stopRun(name, "the members of this run would expand to more than " +
                              std::to_string(m_request.maxExpanded) + " bytes in all");
        else
            fail(name, why);
        return;
    }
    m_written += size;
    m_entries += entries;
    ++m_result.extracted;
}

Extractor::Copy Extractor::copyMember(zip_t *archive, zip_uint64_t index, int fd, std::uint64_t &total,
                                      std::string &why)
{
    const std::uint64_t leftInRun = m_request.maxTotalSize - m_written;
    zip_file_t *file = zip_fopen_index(archive, index, 0);
    if (!file) {
        why = zip_strerror(archive);
        return Copy::Failed;
    }
    static char buffer[1 << 16];
    total = 0;
    Copy result = Copy::Done;
    while (result == Copy::Done) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            why = std::string("the member is corrupted: ") + zip_file_strerror(file);
            result = Copy::Failed;
            break;
        }
        if (n == 0)
            break;
        // The sizes in the directory may lie; count what really comes out.
        total += static_cast<std::uint64_t>(n);
        m_expanded += static_cast<std::uint64_t>(n);
        if (m_expanded > m_request.maxExpanded) {
            result = Copy::PastExpanded;
            break;
        }
        if (total > m_request.maxMemberSize) {
            why = "expands beyond the limit of " + std::to_string(m_request.maxMemberSize) + " bytes";
            result = Copy::TooLarge;
            break;
        }
        if (total > leftInRun) {
            result = Copy::PastTotal;
            break;
        }
        for (zip_int64_t done = 0; done < n;) {
            const ssize_t w = ::write(fd, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0) {
                why = std::string("write failed: ") + std::strerror(errno);
                result = Copy::Failed;
                break;
            }
            done += w;
        }
    }
    zip_fclose(file);
    return result;
}

} // namespace

ExtractResult extractMembers(const ExtractRequest &request, std::ostream &log, std::ostream &err)
{
    return Extractor(request, log, err).run();
}

int exitStatus(const ExtractResult &result)
{
    if (!result.archiveOpened || result.failed > 0)
        return 2;
    return result.skipped > 0 ? 1 : 0;
}

} // namespace za
