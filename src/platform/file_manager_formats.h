#pragma once

#include "platform/user_folders.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The file managers that get a "Tavrel" entry, and the file each of them reads it from.
enum class FileManager { Dolphin, Nautilus, Caja, Nemo, Thunar, PcmanfmQt };

QList<FileManager> allFileManagers();

// The extensions of the files the entries are offered for, lower case, without the dot.
QStringList packageExtensions();

// Executables that tell a file manager is installed ("dolphin", "thunar", ...).
QStringList fileManagerExecutables(FileManager manager);

// One file of ours as a file manager reads it. The first line of every such file (after a "#!"
// line) is the marker comment, so that removal deletes only files we wrote.
struct EntryFile
{
    QString path;
    QByteArray content;
    bool executable = false;
};

// The files that make up our entry for manager, starting program with the chosen file's path.
// Thunar's entry lives inside the user's uca.xml and is handled by ThunarActions instead.
QList<EntryFile> entryFiles(FileManager manager, const QString &program, const UserFolders &folders);

// Where our entry files for manager go (for Thunar: its uca.xml).
QStringList entryPaths(FileManager manager, const UserFolders &folders);

// The comment line every entry file carries.
QByteArray entryMarker();
