#include "platform/file_changes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    QFile file(path);
    earlier.existed = QFileInfo(path).isFile();
    if (earlier.existed) {
        if (!file.open(QIODevice::ReadOnly))
            return false;
        earlier.content = file.readAll();
        earlier.permissions = file.permissions();
    }
    m_earlier << earlier;
    return true;
}

bool FileChanges::write(const QString &path, const QByteArray &content, bool executable)
{
    if (!remember(path))
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
