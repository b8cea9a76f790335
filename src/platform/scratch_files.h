#pragma once

#include <QString>

// File operations on the scratch location that never follow a link: whatever stands at a scratch
// name is ours to replace, but what a link points to is not ours to touch.

// Removes what stands at path (a link is removed itself) and creates an empty file there, owned
// by us and readable only by us. False when either step fails.
bool createFreshFile(const QString &path);

// Creates folder (and its parents) and makes it private: a real folder of ours, mode 0700. False
// when what stands there is not ours to use.
bool makePrivateFolder(const QString &folder);
