#pragma once

#include <QString>

// Removes what stands at a path in the scratch location, walking with descriptors so that neither
// a link nor the depth of a tree can lead the removal astray: a link is unlinked, never followed,
// and a folder is removed however deep it goes.

// True when nothing stands at path any more (also when nothing stood there). A folder is walked
// holding at most maxOpenLevels (at least 2) descriptors; a folder deeper than that is moved up to the top of
// the tree and taken from there, so no path ever grows long.
bool removeTree(const QString &path, int maxOpenLevels = 64);
