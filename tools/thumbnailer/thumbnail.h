// The icon of a package file, whatever kind: an APK, a bundle of split APKs or an IPA.
#pragma once

#include "byte_source.h"
#include "found_icon.h"

#include <memory>
#include <string>

namespace thumb {

// Sizes the command line accepts; larger requests are drawn at MaxRenderSize.
constexpr int MaxRequestSize = 4096;
constexpr int MaxRenderSize = 1024;

// The package's application icon for size x size pixels, as found. Throws IconError or
// aapt::FormatError with a message saying why there is none.
FoundIcon findPackageIcon(std::shared_ptr<const aapt::ByteSource> bytes, int size);

// The thumbnail of the package file as the PNG file to write, no larger than size x size.
std::string packageThumbnailOfFile(const std::string &path, int size);

} // namespace thumb
