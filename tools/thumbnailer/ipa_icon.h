// The application icon of an iOS package: the icon files that the app bundle's Info.plist
// names, the largest that fits, else the store artwork at the archive's root.
#pragma once

#include "found_icon.h"
#include "zip_archive.h"

#include <string>
#include <vector>

namespace thumb {

// The icon names an Info.plist gives, in the order they are listed (primary icons, the iPad
// ones, then the older keys). Throws IconError when the list cannot be read.
std::vector<std::string> iconNamesOf(std::string_view infoPlist);

// True when `file` (a file name without folder) is one of the files an icon name stands for: the
// name itself, or a name without extension with "@2x"/"@3x", "~ipad"/"~iphone" and ".png".
bool iconFileMatches(std::string_view name, std::string_view file);

// True when the archive looks like an iOS package (an app bundle under Payload/).
bool isIpa(const aapt::ZipArchive &archive);

// Finds the icon file for size x size pixels; throws IconError when there is none it can read.
FoundIcon ipaIcon(const aapt::ZipArchive &archive, int size);

} // namespace thumb
