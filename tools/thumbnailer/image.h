// The pixels the thumbnailer reads, draws and writes: RGBA, four bytes a pixel, rows one after
// the other, the colour either straight (as files hold it) or premultiplied by alpha (as
// scaling and drawing want it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace thumb {

// Leaves new elements uninitialised: a decoder writes every pixel anyway, and zeroing a large
// image first would cost nearly as much as the writing.
template <typename T> struct UninitialisedAllocator : std::allocator<T>
{
    template <typename U> struct rebind
    {
        using other = UninitialisedAllocator<U>;
    };
    template <typename U> void construct(U *p) noexcept { ::new (static_cast<void *>(p)) U; }
    template <typename U, typename... Args> void construct(U *p, Args &&...args)
    {
        ::new (static_cast<void *>(p)) U(std::forward<Args>(args)...);
    }
};

using PixelBuffer = std::vector<uint8_t, UninitialisedAllocator<uint8_t>>;

struct Image
{
    int width = 0;
    int height = 0;
    PixelBuffer pixels;
    bool premultiplied = false;

    bool isNull() const { return width <= 0 || height <= 0; }
    uint8_t *row(int y) { return pixels.data() + size_t(y) * size_t(width) * 4; }
    const uint8_t *row(int y) const { return pixels.data() + size_t(y) * size_t(width) * 4; }
};

// A transparent image, premultiplied. Throws IconError beyond the bounds of icon_limits.h.
Image blankImage(int width, int height);

// Checks a size an image declares against the bounds; throws IconError beyond them.
void checkImageSize(int64_t width, int64_t height);

// The whole image in one colour, given as resources hold it (ARGB).
void fillImage(Image &image, uint32_t argb);

// Converts the colour to premultiplied or to straight form; does nothing when it is already so.
void premultiply(Image &image);
void unpremultiply(Image &image);

} // namespace thumb
