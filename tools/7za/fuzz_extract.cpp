// libFuzzer entry: any bytes as an archive, extracted the way the program asks for property
// lists (recursive, by name and wildcard), into a scratch folder that is emptied after each
// input. Exercises the zip reading, the member-path checks, the folder walk and the bounds.
#include "zip_extract.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Removes everything below the folder `fd` without building paths, so that no depth is too
// deep. Goes down one folder at a time and back up through "..", keeping one descriptor.
void emptyFolder(int rootFd)
{
    int fd = ::dup(rootFd);
    std::vector<std::string> below; // names from the root down to fd
    while (fd >= 0) {
        DIR *dir = ::fdopendir(::dup(fd));
        std::string child;
        bool childIsFolder = false;
        while (dirent *e = dir ? ::readdir(dir) : nullptr) {
            const std::string name = e->d_name;
            if (name == "." || name == "..")
                continue;
            struct stat st;
            if (::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
                child = name;
                childIsFolder = true;
                break;
            }
            ::unlinkat(fd, name.c_str(), 0);
        }
        if (dir)
            ::closedir(dir);
        if (childIsFolder) {
            const int next = ::openat(fd, child.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (next < 0) {
                ::unlinkat(fd, child.c_str(), AT_REMOVEDIR);
                continue;
            }
            ::close(fd);
            fd = next;
            below.push_back(child);
            continue;
        }
        if (below.empty()) {
            ::close(fd);
            break;
        }
        const int parent = ::openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = parent;
        if (fd >= 0)
            ::unlinkat(fd, below.back().c_str(), AT_REMOVEDIR);
        below.pop_back();
    }
}

struct Scratch
{
    std::string root;
    std::string archive;
    std::string out;
    int rootFd = -1;

    Scratch()
    {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tavrel-fuzz-7za-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            std::abort();
        root = pattern;
        archive = root + "/in.ipa";
        out = root + "/out";
        rootFd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    ~Scratch()
    {
        emptyFolder(rootFd);
        ::close(rootFd);
        ::rmdir(root.c_str());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Scratch scratch;
    const int fd = ::open(scratch.archive.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        std::abort();
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            std::abort();
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);

    za::ExtractRequest request;
    request.archive = scratch.archive;
    request.outDir = scratch.out;
    request.recursive = true;
    request.patterns = {"info.plist", "InfoPlist.strings", "iTunesMetadata.plist", "Payload/*.app/?*.pl*st",
                        "*"};
    // Small bounds keep each input quick; the bound logic is the same at any size.
    request.maxMemberSize = 1 << 20;
    request.maxTotalSize = 4 << 20;
    std::ostringstream log, err;
    const za::ExtractResult result = za::extractMembers(request, log, err);
    za::exitStatus(result);

    // Nothing may be written beside the output folder.
    if (DIR *dir = ::fdopendir(::dup(scratch.rootFd))) {
        while (dirent *e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name != "." && name != ".." && name != "in.ipa" && name != "out")
                std::abort();
        }
        ::closedir(dir);
    }
    emptyFolder(scratch.rootFd);
    return 0;
}
