// Bitmaps of any kind an icon comes in (PNG, Apple's PNG variant, WebP, JPEG), decoded within
// the bounds of icon_limits.h.
#pragma once

#include <QImage>
#include <QSize>

#include <string_view>

namespace thumb {

// The size an image declares, read from its header only; an invalid size when the bytes are
// no image that can be read.
QSize imageSize(std::string_view bytes);

// Throws IconError when the bytes are no readable image or declare more than the bounds.
QImage decodeImage(std::string_view bytes);

// Scaled down, keeping its proportions, to fit size x size; never scaled up.
QImage fitted(const QImage &image, int size);

} // namespace thumb
