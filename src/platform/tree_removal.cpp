#include "platform/tree_removal.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A folder open for reading, and its name in the folder above it.
struct OpenLevel
{
    DIR *dir;
    std::string name;
};

bool isDotOrDotDot(const char *name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

DIR *openFolderAt(int parent, const char *name)
{
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR *dir = ::fdopendir(fd);
    if (!dir)
        ::close(fd);
    return dir;
}

struct PassResult
{
    bool sawEntries = false;
    bool removedSomething = false;
};

// One walk over the folder open as top, removing what it can. A folder met deeper than maxLevels
// is renamed up into top under a name of its own; a later pass takes it from there.
PassResult removeOnePass(int top, int maxLevels, unsigned long *movedCount)
{
    PassResult result;
    DIR *topDir = openFolderAt(top, ".");
    if (!topDir)
        return result;
    std::vector<OpenLevel> levels;
    levels.push_back({topDir, std::string()});
    while (!levels.empty()) {
        DIR *dir = levels.back().dir;
        const int fd = ::dirfd(dir);
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            const std::string name = std::move(levels.back().name);
            ::closedir(dir);
            levels.pop_back();
            if (!levels.empty() && ::unlinkat(::dirfd(levels.back().dir), name.c_str(), AT_REMOVEDIR) == 0)
                result.removedSomething = true;
            continue;
        }
        if (isDotOrDotDot(entry->d_name))
            continue;
        result.sawEntries = true;
        // Anything but a folder, a link included, goes by unlinking its own entry.
        if (::unlinkat(fd, entry->d_name, 0) == 0) {
            result.removedSomething = true;
            continue;
        }
        if (errno != EISDIR && errno != EPERM)
            continue;
        if (int(levels.size()) < maxLevels) {
            std::string name(entry->d_name);
            if (DIR *child = openFolderAt(fd, name.c_str()))
                levels.push_back({child, std::move(name)});
            continue;
        }
        const std::string movedName = ".deep-" + std::to_string(++*movedCount);
        if (::renameat(fd, entry->d_name, top, movedName.c_str()) == 0)
            result.removedSomething = true;
    }
    return result;
}

} // namespace

bool removeTree(const QString &path, int maxOpenLevels)
{
    QByteArray name = QFile::encodeName(path);
    while (name.size() > 1 && name.endsWith('/'))
        name.chop(1);
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray parentName = slash < 0    ? QByteArray(".")
                                  : slash == 0 ? QByteArray("/")
                                               : name.left(slash);
    const QByteArray baseName = name.mid(slash + 1);
    if (baseName.isEmpty() || baseName == "." || baseName == "..")
        return false;

    const int parent = ::open(parentName.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return errno == ENOENT;
    bool gone = ::unlinkat(parent, baseName.constData(), 0) == 0 || errno == ENOENT;
    if (!gone && (errno == EISDIR || errno == EPERM)) {
        const int top =
            ::openat(parent, baseName.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (top >= 0) {
            // Pass after pass until the folder is empty or a pass removes nothing more.
            unsigned long moved = 0;
            for (;;) {
                const PassResult pass = removeOnePass(top, qMax(2, maxOpenLevels), &moved);
                if (!pass.sawEntries || !pass.removedSomething)
                    break;
            }
            ::close(top);
        }
        gone = ::unlinkat(parent, baseName.constData(), AT_REMOVEDIR) == 0 || errno == ENOENT;
    }
    ::close(parent);
    return gone;
}
