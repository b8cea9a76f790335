#pragma once

#include <QString>

// Renames the package named on the command line in place by the active naming rule. False when it
// was not renamed; then *error says what stopped it, in one line.
bool RunCommandLineRename(const QString &path, QString *error = nullptr);
