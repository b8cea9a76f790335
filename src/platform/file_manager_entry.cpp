#include "platform/file_manager_entry.h"

#include "platform/file_changes.h"
#include "platform/thunar_actions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace FileManagerEntry {

namespace {

bool readFile(const QString &path, QByteArray *content)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *content = file.readAll();
    return true;
}

// A file of ours starts with the marker line (after a "#!" line for scripts).
bool isOurs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray line = file.readLine(4096);
    if (line.startsWith("#!"))
        line = file.readLine(4096);
    return line.trimmed() == entryMarker();
}

// Thunar falls back to the system-wide uca.xml while the user has none; a new user file starts
// from it, so that the actions the user sees today stay.
QByteArray thunarStartingPoint(const UserFolders &folders, const QString &program)
{
    for (const QString &dir : folders.configDirs) {
        QByteArray system;
        QByteArray merged;
        if (readFile(dir + QLatin1String("/Thunar/uca.xml"), &system) &&
            ThunarActions::withAction(system, program, &merged))
            return merged;
    }
    return ThunarActions::newFile(program);
}

bool addThunar(const QString &program, const UserFolders &folders, FileChanges &changes)
{
    const QString path = entryPaths(FileManager::Thunar, folders).constFirst();
    QByteArray content;
    if (QFileInfo::exists(path)) {
        QByteArray existing;
        if (!readFile(path, &existing) || !ThunarActions::withAction(existing, program, &content))
            return false;
    } else {
        content = thunarStartingPoint(folders, program);
    }
    return changes.write(path, content);
}

bool removeThunar(const UserFolders &folders, FileChanges &changes)
{
    const QString path = entryPaths(FileManager::Thunar, folders).constFirst();
    if (!QFileInfo::exists(path))
        return true;
    QByteArray existing;
    if (!readFile(path, &existing))
        return false;
    if (!ThunarActions::holdsAction(existing))
        return true;
    return changes.write(path, ThunarActions::withoutAction(existing));
}

} // namespace

QList<FileManager> installedFileManagers()
{
    QList<FileManager> found;
    for (const FileManager manager : allFileManagers()) {
        for (const QString &executable : fileManagerExecutables(manager)) {
            if (!QStandardPaths::findExecutable(executable).isEmpty()) {
                found << manager;
                break;
            }
        }
    }
    return found.isEmpty() ? allFileManagers() : found;
}

QString programForEntries(const QString &executable)
{
    const QFileInfo program(executable);
    const QDir folder = program.absoluteDir();
    if (folder.dirName() == QLatin1String("tavrel") &&
        QFileInfo(folder.absolutePath()).dir().dirName() == QLatin1String("lib")) {
        const QString link =
            QDir::cleanPath(folder.absoluteFilePath(QLatin1String("../../bin/") + program.fileName()));
        const QFileInfo linkInfo(link);
        if (linkInfo.exists() && linkInfo.canonicalFilePath() == program.canonicalFilePath())
            return link;
    }
    return program.absoluteFilePath();
}

bool add(const QString &program, const QList<FileManager> &managers, const UserFolders &folders)
{
    FileChanges changes;
    for (const FileManager manager : managers) {
        if (manager == FileManager::Thunar) {
            if (!addThunar(program, folders, changes))
                return false;
            continue;
        }
        for (const EntryFile &file : entryFiles(manager, program, folders)) {
            if (!changes.write(file.path, file.content, file.executable))
                return false;
        }
    }
    changes.commit();
    return true;
}

bool remove(const UserFolders &folders)
{
    // Each removal stands on its own: what could be removed is removed, and any entry of ours
    // that stays makes the result false.
    bool nothingLeft = true;
    for (const FileManager manager : allFileManagers()) {
        FileChanges changes;
        bool removed = true;
        if (manager == FileManager::Thunar) {
            removed = removeThunar(folders, changes);
        } else {
            for (const QString &path : entryPaths(manager, folders)) {
                if (QFileInfo::exists(path) && isOurs(path))
                    removed = changes.remove(path) && removed;
            }
        }
        changes.commit();
        nothingLeft = nothingLeft && removed;
    }
    return nothingLeft;
}

Notice addEntry(const QString &program)
{
    const bool ok = add(program, installedFileManagers(), UserFolders::fromEnvironment());
    return {QStringLiteral("提示"),
            ok ? QStringLiteral("右键菜单写入成功") : QStringLiteral("右键菜单写入失败"), ok};
}

Notice removeEntry()
{
    const bool ok = remove(UserFolders::fromEnvironment());
    return {QStringLiteral("提示"),
            ok ? QStringLiteral("成功删除右键菜单项") : QStringLiteral("右键菜单删除失败"), ok};
}

} // namespace FileManagerEntry
