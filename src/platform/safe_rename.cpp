#include "platform/safe_rename.h"

#include "platform/path_bytes.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace {

int renameNoReplace(const QByteArray &from, const QByteArray &to)
{
#ifdef SYS_renameat2
    return int(
        syscall(SYS_renameat2, AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE));
#else
    errno = ENOSYS;
    return -1;
#endif
}

// For file systems without renameat2's flag: a hard link claims the new name atomically.
int linkThenUnlink(const QByteArray &from, const QByteArray &to)
{
    if (link(from.constData(), to.constData()) != 0)
        return -1;
    if (unlink(from.constData()) != 0) {
        const int saved = errno;
        unlink(to.constData());
        errno = saved;
        return -1;
    }
    return 0;
}

// Last resort (no hard links either, e.g. FAT): reserve the new name with an exclusive create,
// then move the file over our own placeholder.
int reserveThenRename(const QByteArray &from, const QByteArray &to)
{
    const int fd = open(to.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return -1;
    close(fd);
    if (rename(from.constData(), to.constData()) != 0) {
        const int saved = errno;
        unlink(to.constData());
        errno = saved;
        return -1;
    }
    return 0;
}

bool isUnsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EPERM;
}

} // namespace

bool isSingleFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if (u == u'/' || u < 0x20 || u == 0x7f)
            return false;
    }
    return PathBytes::encode(name).size() <= NAME_MAX;
}

RenameOutcome renameWithinFolder(const QString &folder, const QString &oldName, const QString &newName)
{
    if (!isSingleFileName(newName) || !isSingleFileName(oldName))
        return RenameOutcome::Refused;
    const QByteArray from = PathBytes::encode(folder + oldName);
    const QByteArray to = PathBytes::encode(folder + newName);

    int rc = renameNoReplace(from, to);
    if (rc != 0 && isUnsupported(errno)) {
        rc = linkThenUnlink(from, to);
        if (rc != 0 && isUnsupported(errno))
            rc = reserveThenRename(from, to);
    }
    if (rc == 0)
        return RenameOutcome::Renamed;
    if (errno == EEXIST || errno == ENOTEMPTY)
        return RenameOutcome::TargetExists;
    return RenameOutcome::Refused;
}
