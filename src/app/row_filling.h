#pragma once

#include "inspect/package_reading.h"

class PackageList;

// Writes what a read gave into the row at position: for an Android package its display name,
// version, size and API levels, for an iOS package its display name, version, minimum system,
// platform and size. A package that could not be read fills as an unreadable one does (no name,
// "UnKnown" where the report lacks a key); a field that could not be read keeps its cell.
void fillRow(PackageList &list, int position, const PackageReading &reading);

// What a read of a package of that file name asks for: a badging report or the property lists;
// nothing for a file of neither kind.
std::optional<ReadKind> readKindFor(const QString &fileName);
