// The application icon of an Android package: the manifest's icon resource at the density that
// best fits the size asked for, a bitmap, an adaptive icon or a vector drawable.
#pragma once

#include "found_icon.h"
#include "zip_archive.h"

#include <vector>

namespace thumb {

// Finds the icon for size x size pixels. `packages` is the APK itself, or a bundle's base
// followed by its density splits; the base's manifest names the icon, any of them may hold it.
// Throws IconError (or aapt::FormatError) when there is no icon it can read.
FoundIcon androidIcon(const std::vector<const aapt::ZipArchive *> &packages, int size);

// Opens the APK, or the base and density splits of a bundle, and finds its icon.
FoundIcon androidIconOfArchive(const aapt::ZipArchive &archive, int size);

} // namespace thumb
