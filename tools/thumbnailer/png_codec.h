// PNG files: their header, the 8-bit images icons nearly always are (decoded here in one pass,
// faster than through libpng's rows), Apple's optimised variant, and the thumbnails written.
// Apple's variant, as iOS build tools store app icons, has a "CgBI" chunk before IHDR, image data
// deflated without the zlib header, and pixels in BGRA order with the colour premultiplied by
// alpha. Other readers cannot open it; this one turns it into plain pixels.
#pragma once

#include "icon_error.h"
#include "image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace thumb {

struct PngHeader
{
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t bitDepth = 0;
    uint8_t colourType = 0;
    uint8_t interlace = 0;
    bool cgbi = false;
};

// The header of a PNG file, plain or Apple's variant; nothing when the bytes are no PNG.
std::optional<PngHeader> readPngHeader(std::string_view png);

// A plain PNG (8-bit RGBA) of the image, which must hold straight colour: what a thumbnail is
// written as.
std::string encodePng(const Image &image);

// Decodes a plain PNG of 8 or 16 bits a channel without interlacing (grey, RGB or palette, with
// or without alpha) to straight colour, 16-bit samples by their high byte; nothing for other
// kinds (interlaced, fewer bits), which are left to libpng. Throws
// IconError when it is damaged or larger than the bounds of icon_limits.h.
std::optional<Image> decodePlainPng(std::string_view png);

// Decodes an image in Apple's variant (8-bit RGBA or RGB, not interlaced) to straight colour.
// Throws IconError when it is damaged, of another kind, or larger than the bounds of
// icon_limits.h.
Image decodeCgbiPng(std::string_view png);

} // namespace thumb
