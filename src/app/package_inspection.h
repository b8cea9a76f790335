#pragma once

class PackageList;

// Reads the package of a list row by its kind and writes what was read into the row's cells. The
// readers let the window handle events while a tool runs, so the row is looked up again afterwards:
// a row removed meanwhile is left alone.

// Display name, version, size and API levels.
void InspectApk(PackageList &list, int position);
// Display name, version, minimum system, platform and size.
void InspectIpa(PackageList &list, int position);
