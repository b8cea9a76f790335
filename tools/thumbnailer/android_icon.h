// The application icon of an Android package: the manifest's icon resource at the density that
// best fits the size asked for, a bitmap, an adaptive icon or a vector drawable.
#pragma once

#include "image.h"
#include "zip_archive.h"

#include <vector>

namespace thumb {

// Renders the icon no larger than size x size. `packages` is the APK itself, or a bundle's base
// followed by its density splits; the base's manifest names the icon, any of them may hold it.
// Throws IconError (or aapt::FormatError) when there is no icon it can read.
Image androidIcon(const std::vector<const aapt::ZipArchive *> &packages, int size);

// Opens the APK, or the base and density splits of a bundle, and renders its icon.
Image androidIconOfArchive(const aapt::ZipArchive &archive, int size);

} // namespace thumb
