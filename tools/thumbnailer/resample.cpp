#include "resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace thumb {

namespace {

// The source pixels each target pixel along an axis takes, and their weights, all in one array.
// The weights of a pixel add up to how much of it the source covers; no weights, not at all.
struct Taps
{
    struct Pixel
    {
        int first = 0;     // the first source pixel
        int count = 0;     // how many
        size_t weight = 0; // where their weights start
    };
    std::vector<Pixel> pixels;
    std::vector<float> weights;
};

// Taps for target pixels [0, count) when the source's `length` pixels cover [offset,
// offset + extent) of the target's axis.
Taps tapsFor(int count, int length, double offset, double extent)
{
    Taps taps;
    taps.pixels.resize(size_t(std::max(count, 0)));
    const double scale = extent / length; // target pixels per source pixel
    for (int d = 0; d < count; ++d) {
        const double coverage = std::min(d + 1.0, offset + extent) - std::max(double(d), offset);
        if (coverage <= 0)
            continue;
        Taps::Pixel &t = taps.pixels[size_t(d)];
        t.weight = taps.weights.size();
        if (scale < 1) {
            // The target pixel's footprint on the source, each pixel weighed by its share.
            const double from = std::max(0.0, (d - offset) / scale),
                         to = std::min(double(length), (d + 1 - offset) / scale);
            t.first = std::clamp(int(std::floor(from)), 0, length - 1);
            for (int i = t.first; i < length && i < to; ++i)
                taps.weights.push_back(float((std::min(i + 1.0, to) - std::max(double(i), from)) * scale));
        } else {
            // Between the two nearest source pixels, the edges repeated.
            const double centre = (d + 0.5 - offset) / scale - 0.5;
            const int below = int(std::floor(centre));
            const double fraction = centre - below;
            const int a = std::clamp(below, 0, length - 1), b = std::clamp(below + 1, 0, length - 1);
            t.first = a;
            if (a == b || fraction == 0) {
                taps.weights.push_back(float(coverage));
            } else {
                taps.weights.push_back(float((1 - fraction) * coverage));
                taps.weights.push_back(float(fraction * coverage));
            }
        }
        t.count = int(taps.weights.size() - t.weight);
    }
    return taps;
}

// A pixel's four channels side by side, summed and weighed in one vector register (SSE2, else
// the compilers' vector extension, lowered to plain arithmetic where there is no such register).
using Float4 = float __attribute__((vector_size(16)));

Float4 pixelAt(const uint8_t *p)
{
#if defined(__SSE2__)
    int32_t word;
    std::memcpy(&word, p, 4);
    const __m128i zero = _mm_setzero_si128();
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(word), zero), zero));
#else
    return Float4{float(p[0]), float(p[1]), float(p[2]), float(p[3])};
#endif
}

// Rounded to bytes, clamped to [0, 255].
void putPixel(uint8_t *p, Float4 v)
{
    v += 0.5f;
#if defined(__SSE2__)
    const __m128i whole = _mm_cvttps_epi32(v), shorts = _mm_packs_epi32(whole, whole);
    const int32_t word = _mm_cvtsi128_si32(_mm_packus_epi16(shorts, shorts));
    std::memcpy(p, &word, 4);
#else
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(std::clamp(v[i], 0.0f, 255.0f));
#endif
}

} // namespace

void drawScaled(Image &target, Image source, const RectF &area)
{
    if (source.isNull() || target.isNull() || !(area.width > 0 && area.height > 0))
        return;
    premultiply(source);
    const Taps columns = tapsFor(target.width, source.width, area.x, area.width);
    const Taps rows = tapsFor(target.height, source.height, area.y, area.height);
    // The target columns the source reaches, and the source columns they take.
    int x0 = target.width, x1 = 0, sx0 = source.width, sx1 = 0;
    for (int x = 0; x < target.width; ++x) {
        const Taps::Pixel &t = columns.pixels[size_t(x)];
        if (t.count == 0)
            continue;
        x0 = std::min(x0, x);
        x1 = x + 1;
        sx0 = std::min(sx0, t.first);
        sx1 = std::max(sx1, t.first + t.count);
    }
    if (x0 >= x1)
        return;

    // Row by row: down first, over the source columns taken, then across, blended over the
    // target.
    std::vector<Float4> down(size_t(sx1 - sx0));
    for (int y = 0; y < target.height; ++y) {
        const Taps::Pixel &t = rows.pixels[size_t(y)];
        if (t.count == 0)
            continue;
        std::fill(down.begin(), down.end(), Float4{0, 0, 0, 0});
        for (int k = 0; k < t.count; ++k) {
            const float w = rows.weights[t.weight + size_t(k)];
            const uint8_t *in = source.row(t.first + k) + size_t(sx0) * 4;
            for (size_t i = 0; i < down.size(); ++i)
                down[i] += w * pixelAt(in + 4 * i);
        }
        uint8_t *out = target.row(y) + size_t(x0) * 4;
        for (int x = x0; x < x1; ++x, out += 4) {
            const Taps::Pixel &c = columns.pixels[size_t(x)];
            if (c.count == 0)
                continue;
            const float *w = columns.weights.data() + c.weight;
            const Float4 *in = down.data() + (c.first - sx0);
            Float4 px = w[0] * in[0];
            for (int k = 1; k < c.count; ++k)
                px += w[k] * in[k];
            // Premultiplied: nothing where the source is clear, and nothing of the target beneath
            // where it is opaque.
            if (px[3] <= 0)
                continue;
            if (px[3] < 255)
                px += pixelAt(out) * (1.0f - px[3] / 255.0f);
            putPixel(out, px);
        }
    }
}

Image fitted(Image image, int size)
{
    if (image.width <= size && image.height <= size)
        return image;
    const bool wide = image.width >= image.height;
    const int width = wide ? size : std::max(1, int(std::lround(double(image.width) * size / image.height)));
    const int height = wide ? std::max(1, int(std::lround(double(image.height) * size / image.width))) : size;
    Image out = blankImage(width, height);
    drawScaled(out, std::move(image), {0, 0, double(width), double(height)});
    return out;
}

} // namespace thumb
