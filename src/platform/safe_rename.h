#pragma once

#include <QString>

// Renames a file within its folder without ever replacing another file.
enum class RenameOutcome {
    Renamed,
    TargetExists, // a file of the new name is there (also the file itself, or one that appeared just now)
    Refused,      // the new name is not a single valid name, or the file system refused the rename
};

// True when name can stand as one path component: not empty, not "." or "..", no '/', no NUL or
// other control character, and not longer than a file name may be.
bool isSingleFileName(const QString &name);

// folder ends with '/'. The existence test and the rename are one step, so a file that appears
// between them is not overwritten either.
RenameOutcome renameWithinFolder(const QString &folder, const QString &oldName, const QString &newName);
