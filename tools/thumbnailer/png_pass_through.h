// Thumbnails that are the icon file itself: a plain PNG already small enough is written with its
// image chunks as they are instead of being decoded and packed again, once it is checked well
// enough that any reader opens the result.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace thumb {

// The PNG's signature and its IHDR, PLTE, tRNS, IDAT and IEND chunks as they are, when the file
// is a plain PNG of at most size x size pixels whose chunks are in order with sound checksums,
// whose header declares a known kind within the bounds of icon_limits.h, and whose image data
// inflates (with a bounded buffer, not unfiltered) to exactly the rows the header declares, each
// with a known filter. Nothing otherwise: Apple's variant, other chunks that matter, damage.
std::optional<std::string> passThroughPng(std::string_view png, int size);

} // namespace thumb
