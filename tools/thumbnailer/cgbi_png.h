// Apple's optimised PNG variant, as iOS build tools store app icons: a "CgBI" chunk before
// IHDR, image data deflated without the zlib header, pixels in BGRA order with the colour
// premultiplied by alpha. Other readers cannot open it; this one turns it into plain pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace thumb {

class IconError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

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

// Straight (not premultiplied) RGBA pixels, four bytes each, rows one after the other.
struct RgbaImage
{
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> pixels;
};

// A plain PNG (8-bit RGBA, unfiltered rows, deflated at zlib's fastest level) of straight RGBA
// rows `stride` bytes apart: what a decoded icon is written as. Written here rather than by Qt's
// image writer, which would load every image plugin to ask which of them writes PNG.
std::string encodePng(uint32_t width, uint32_t height, const uint8_t *rgba, size_t stride);

// Decodes an image in Apple's variant (8-bit RGBA or RGB, not interlaced). Throws IconError
// when it is damaged, of another kind, or larger than the bounds of icon_limits.h.
RgbaImage decodeCgbiPng(std::string_view png);

} // namespace thumb
