#pragma once

#include <QString>

// Renames the package named on the command line in place by the active naming rule. Returns the
// exit status: 0 when renamed, 1 otherwise, with *why saying what stopped it.
int RunCommandLineRename(const QString &path, QString *why);
