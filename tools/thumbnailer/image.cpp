#include "image.h"

#include "icon_limits.h"
#include "png_codec.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace thumb {

void checkImageSize(int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0)
        throw IconError("not an image that can be read");
    if (width > MaxImageSide || height > MaxImageSide ||
        uint64_t(width) * uint64_t(height) * 4 > MaxImageBytes)
        throw IconError("image of implausible size " + std::to_string(width) + "x" + std::to_string(height));
}

Image blankImage(int width, int height)
{
    checkImageSize(width, height);
    Image image;
    image.width = width;
    image.height = height;
    // Grown without a value, then cleared in one go: assigning zeros would construct them one
    // at a time through the allocator.
    image.pixels.resize(size_t(width) * size_t(height) * 4);
    std::memset(image.pixels.data(), 0, image.pixels.size());
    image.premultiplied = true;
    return image;
}

void fillImage(Image &image, uint32_t argb)
{
    const unsigned a = argb >> 24;
    auto channel = [&](int shift) {
        const unsigned v = argb >> shift & 0xff;
        return uint8_t(image.premultiplied ? (v * a + 127) / 255 : v);
    };
    const uint8_t px[4] = {channel(16), channel(8), channel(0), uint8_t(a)};
    uint32_t word; // the pixel as one word, which the compiler stores several at a time
    std::memcpy(&word, px, 4);
    uint8_t *out = image.pixels.data();
    for (size_t i = 0; i < image.pixels.size(); i += 4)
        std::memcpy(out + i, &word, 4);
}

void premultiply(Image &image)
{
    if (image.premultiplied)
        return;
    for (size_t i = 0; i < image.pixels.size(); i += 4) {
        uint8_t *p = image.pixels.data() + i;
        const unsigned a = p[3];
        if (a == 255)
            continue;
        if (a == 0) { // the clear parts of a layer, often most of it
            p[0] = p[1] = p[2] = 0;
            continue;
        }
        for (int c = 0; c < 3; ++c)
            p[c] = uint8_t((p[c] * a + 127) / 255);
    }
    image.premultiplied = true;
}

void unpremultiply(Image &image)
{
    if (!image.premultiplied)
        return;
    for (size_t i = 0; i < image.pixels.size(); i += 4) {
        uint8_t *p = image.pixels.data() + i;
        const unsigned a = p[3];
        if (a == 255)
            continue;
        for (int c = 0; c < 3; ++c)
            p[c] = a == 0 ? 0 : uint8_t(std::min(255u, (p[c] * 255 + a / 2) / a));
    }
    image.premultiplied = false;
}

} // namespace thumb
