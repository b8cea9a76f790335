#pragma once

#include "platform/file_manager_formats.h"
#include "platform/user_folders.h"

#include <QList>
#include <QString>

// The "Tavrel" entry in the file managers' context menus: choosing it on a file starts
// `program PATH`, which renames that file. Written per user for each file manager's own format;
// removal takes away exactly what adding wrote and nothing of the user's.
namespace FileManagerEntry {

// The file managers found on PATH; all of them when none is found.
QList<FileManager> installedFileManagers();

// The program the entries start: the <prefix>/bin link when executable runs from an
// installation (<prefix>/lib/tavrel/ with that link pointing at it), else executable itself.
QString programForEntries(const QString &executable);

// Writes the entry for every manager in managers. All or nothing: on false every file is as it was.
bool add(const QString &program, const QList<FileManager> &managers, const UserFolders &folders);

// Removes our entry from every file manager. True when nothing of ours is left afterwards.
bool remove(const UserFolders &folders);

// What the two main-window buttons show, title "提示".
struct Notice
{
    QString title;
    QString text;
    bool succeeded = false;
};
// Add to the installed file managers in the user's folders, starting program.
Notice addEntry(const QString &program);
Notice removeEntry();

} // namespace FileManagerEntry
