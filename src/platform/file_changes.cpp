#include "platform/file_changes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr QFileDevice::Permissions kExecutableBits =
    QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;

QFileDevice::Permissions defaultPermissions(bool executable)
{
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadUser | QFileDevice::WriteUser |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (executable)
        permissions |= kExecutableBits;
    return permissions;
}

} // namespace

FileRead readRegularFile(const QString &path, QByteArray *content)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Failed;
    if (!S_ISREG(info.st_mode))
        return FileRead::NotARegularFile;
    // O_NONBLOCK: should a FIFO be swapped in after the check, opening it does not wait.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    FileRead result = FileRead::Read;
    if (::fstat(fd, &info) != 0) {
        result = FileRead::Failed;
    } else if (!S_ISREG(info.st_mode)) {
        result = FileRead::NotARegularFile;
    } else {
        QFile file;
        if (!file.open(fd, QIODevice::ReadOnly))
            result = FileRead::Failed;
        else
            *content = file.readAll();
        if (file.error() != QFileDevice::NoError)
            result = FileRead::Failed;
    }
    ::close(fd);
    return result;
}

bool isRegularOrMissing(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT;
    return S_ISREG(info.st_mode);
}

bool writeFileAtomically(const QString &path, const QByteArray &content, QFileDevice::Permissions permissions)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size() || !file.setPermissions(permissions)) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

FileChanges::~FileChanges()
{
    rollBack();
}

bool FileChanges::remember(const QString &path)
{
    for (const Earlier &earlier : std::as_const(m_earlier)) {
        if (earlier.path == path)
            return true;
    }
    Earlier earlier;
    earlier.path = path;
    switch (readRegularFile(path, &earlier.content)) {
    case FileRead::Missing:
        break;
    case FileRead::Read:
        earlier.existed = true;
        earlier.permissions = QFile::permissions(path);
        break;
    case FileRead::NotARegularFile:
    case FileRead::Failed:
        return false;
    }
    m_earlier << earlier;
    return true;
}

bool FileChanges::write(const QString &path, const QByteArray &content, bool executable)
{
    if (!isRegularOrMissing(path) || !remember(path))
        return false;
    QFileDevice::Permissions permissions = defaultPermissions(executable);
    const QFileInfo existing(path);
    if (existing.isFile()) {
        permissions = existing.permissions();
        if (executable)
            permissions |= kExecutableBits;
    }
    return writeFileAtomically(path, content, permissions);
}

bool FileChanges::remove(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (!remember(path))
        return false;
    return QFile::remove(path);
}

void FileChanges::rollBack()
{
    // Only a file's state before its first change is kept, so each goes back to how it was.
    for (auto it = m_earlier.crbegin(); it != m_earlier.crend(); ++it) {
        if (it->existed)
            writeFileAtomically(it->path, it->content, it->permissions);
        else
            QFile::remove(it->path);
    }
    m_earlier.clear();
}
