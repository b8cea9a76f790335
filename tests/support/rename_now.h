#pragma once

#include "app/command_line_rename.h"

#include <QSignalSpy>

// The command-line rename of one file with the reader given; waits for its finished() signal.
inline bool renameNow(PackageReader *reader, const QString &path, QString *error = nullptr)
{
    CommandLineRename rename(reader);
    QSignalSpy finished(&rename, &CommandLineRename::finished);
    rename.start(path);
    if (!finished.wait(60000))
        return false;
    if (error)
        *error = finished.first().at(1).toString();
    return finished.first().at(0).toBool();
}
