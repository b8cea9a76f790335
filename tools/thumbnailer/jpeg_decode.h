// JPEG images through libjpeg, whose errors are turned into IconError.
#pragma once

#include "image.h"

#include <optional>
#include <string_view>

namespace thumb {

// The size in the frame header, from the markers alone; nothing when there is none.
std::optional<std::pair<int, int>> jpegSize(std::string_view bytes);

// Straight colour (RGB, greyscale or CMYK files); throws IconError.
Image decodeJpeg(std::string_view bytes);

} // namespace thumb
