#pragma once

#include <QString>

// The scratch location's folders, which never follow a link: what a link points to is not ours
// to touch.

// Creates folder (and its parents) and makes it private: a real folder of ours, mode 0700. False
// when what stands there is not ours to use.
bool makePrivateFolder(const QString &folder);
