// Bitmaps of any kind an icon comes in (PNG, Apple's PNG variant, WebP, JPEG), decoded within
// the bounds of icon_limits.h.
#pragma once

#include "image.h"

#include <optional>
#include <string_view>

namespace thumb {

struct ImageSize
{
    int64_t width = 0;
    int64_t height = 0;
};

// The size an image declares, read from its header only; nothing when the bytes are no image
// that can be read.
std::optional<ImageSize> imageSize(std::string_view bytes);

// Straight colour (an opaque image may be marked premultiplied: both forms are the same).
// Throws IconError when the bytes are no readable image or declare more than the bounds.
Image decodeImage(std::string_view bytes);

} // namespace thumb
