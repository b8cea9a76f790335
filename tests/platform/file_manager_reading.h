#pragma once

// Reads an entry file the way its file manager does and gives the command it would start for a
// chosen file, field codes expanded as each file manager documents them.
#include "platform/file_manager_formats.h"

#include <QString>
#include <QStringList>

struct StartedCommand
{
    QStringList argv;         // program first
    QString workingDirectory; // empty: inherited
};

// GLib's command-line splitting (g_shell_parse_argv): shell quoting, no expansion of any kind.
QStringList glibShellWords(const QString &command);

// The value of key in [group] of a key file, its escapes (\\, \n, \t, \r, \s) undone.
QString keyFileValue(const QByteArray &content, const QString &group, const QString &key);

// The command manager starts when the user chooses our entry on chosenFile. entryFile is the
// file the manager reads (for Thunar: uca.xml).
StartedCommand commandFor(FileManager manager, const QString &entryFile, const QString &chosenFile);
// The same for a selection of several files, in the order chosen.
StartedCommand commandFor(FileManager manager, const QString &entryFile, const QStringList &chosenFiles);
