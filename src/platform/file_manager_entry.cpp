#include "platform/file_manager_entry.h"

#include "platform/file_changes.h"
#include "platform/thunar_actions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace FileManagerEntry {

namespace {

// A file of ours starts with the marker line (after a "#!" line for scripts). Only the head of a
// regular file is read: whatever else stands at the path is not ours.
FileRead readIfOurs(const QString &path, bool *ours)
{
    QByteArray content;
    const FileRead read = readRegularFile(path, &content);
    QList<QByteArray> lines = content.left(8192).split('\n');
    if (!lines.isEmpty() && lines.constFirst().startsWith("#!"))
        lines.removeFirst();
    *ours = read == FileRead::Read && !lines.isEmpty() && lines.constFirst().trimmed() == entryMarker();
    return read;
}

// Thunar falls back to the system-wide uca.xml while the user has none; a new user file starts
// from it, so that the actions the user sees today stay. False when it cannot be read.
bool thunarStartingPoint(const UserFolders &folders, const QString &program, QByteArray *content)
{
    for (const QString &dir : folders.configDirs) {
        QByteArray system;
        switch (readRegularFile(dir + QLatin1String("/Thunar/uca.xml"), &system)) {
        case FileRead::Missing:
            continue;
        case FileRead::Read:
            if (ThunarActions::madeFrom(system, program, content))
                return true;
            continue; // a file Thunar cannot read either
        case FileRead::NotARegularFile:
        case FileRead::Failed:
            return false;
        }
    }
    return ThunarActions::madeFrom(QByteArray(), program, content);
}

bool addThunar(const QString &program, const UserFolders &folders, FileChanges &changes)
{
    const QString path = entryPaths(FileManager::Thunar, folders).constFirst();
    QByteArray existing;
    QByteArray content;
    switch (readRegularFile(path, &existing)) {
    case FileRead::Missing:
        if (!thunarStartingPoint(folders, program, &content))
            return false;
        break;
    case FileRead::Read:
        if (!ThunarActions::withAction(existing, program, &content))
            return false;
        break;
    case FileRead::NotARegularFile:
    case FileRead::Failed:
        return false;
    }
    return changes.write(path, content);
}

bool removeThunar(const UserFolders &folders, FileChanges &changes)
{
    const QString path = entryPaths(FileManager::Thunar, folders).constFirst();
    QByteArray existing;
    switch (readRegularFile(path, &existing)) {
    case FileRead::Missing:
        return true;
    case FileRead::Read:
        break;
    case FileRead::NotARegularFile:
    case FileRead::Failed:
        return false;
    }
    if (!ThunarActions::holdsAction(existing))
        return true;
    // A file we made, still as we made it, goes: Thunar then reads the system's actions again. A
    // link to it is the user's doing and stays.
    if (ThunarActions::onlyOursAdded(existing) && !QFileInfo(path).isSymLink())
        return changes.remove(path);
    const QByteArray without = ThunarActions::withoutAction(existing);
    return !ThunarActions::holdsAction(without) && changes.write(path, without);
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
                bool ours = false;
                const FileRead read = readIfOurs(path, &ours);
                if (ours)
                    removed = changes.remove(path) && removed;
                else if (read == FileRead::NotARegularFile || read == FileRead::Failed)
                    removed = false; // left alone, and what it is cannot be told
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
    return {QCoreApplication::translate("FileManagerEntry", "提示"),
            ok ? QCoreApplication::translate("FileManagerEntry", "右键菜单写入成功")
               : QCoreApplication::translate("FileManagerEntry", "右键菜单写入失败"),
            ok};
}

Notice removeEntry()
{
    const bool ok = remove(UserFolders::fromEnvironment());
    return {QCoreApplication::translate("FileManagerEntry", "提示"),
            ok ? QCoreApplication::translate("FileManagerEntry", "成功删除右键菜单项")
               : QCoreApplication::translate("FileManagerEntry", "右键菜单删除失败"),
            ok};
}

} // namespace FileManagerEntry
