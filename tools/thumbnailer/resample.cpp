#include "resample.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace thumb {

namespace {

// The source pixels one target pixel along an axis takes, and their weights. The weights add
// up to how much of the target pixel the source covers.
struct Taps
{
    int first = 0;
    std::vector<float> weights;
};

// Taps for target pixels [0, count) when the source's `length` pixels cover [offset,
// offset + extent) of the target's axis.
std::vector<Taps> tapsFor(int count, int length, double offset, double extent)
{
    std::vector<Taps> taps(size_t(std::max(count, 0)));
    const double scale = extent / length; // target pixels per source pixel
    for (int d = 0; d < count; ++d) {
        const double coverage = std::min(d + 1.0, offset + extent) - std::max(double(d), offset);
        if (coverage <= 0)
            continue;
        Taps &t = taps[size_t(d)];
        if (scale < 1) {
            // The target pixel's footprint on the source, each pixel weighed by its share.
            const double from = std::max(0.0, (d - offset) / scale),
                         to = std::min(double(length), (d + 1 - offset) / scale);
            t.first = std::clamp(int(std::floor(from)), 0, length - 1);
            for (int i = t.first; i < length && i < to; ++i)
                t.weights.push_back(float((std::min(i + 1.0, to) - std::max(double(i), from)) * scale));
        } else {
            // Between the two nearest source pixels, the edges repeated.
            const double centre = (d + 0.5 - offset) / scale - 0.5;
            const int below = int(std::floor(centre));
            const double fraction = centre - below;
            const int a = std::clamp(below, 0, length - 1), b = std::clamp(below + 1, 0, length - 1);
            t.first = a;
            if (a == b || fraction == 0) {
                t.weights = {float(coverage)};
            } else {
                t.weights = {float((1 - fraction) * coverage), float(fraction * coverage)};
            }
        }
    }
    return taps;
}

uint8_t toByte(float v)
{
    return uint8_t(std::clamp(v + 0.5f, 0.0f, 255.0f));
}

} // namespace

void drawScaled(Image &target, Image source, const RectF &area)
{
    if (source.isNull() || target.isNull() || !(area.width > 0 && area.height > 0))
        return;
    premultiply(source);
    const std::vector<Taps> columns = tapsFor(target.width, source.width, area.x, area.width);
    const std::vector<Taps> rows = tapsFor(target.height, source.height, area.y, area.height);
    // The target columns the source reaches, and the source columns they take.
    int x0 = target.width, x1 = 0, sx0 = source.width, sx1 = 0;
    for (int x = 0; x < target.width; ++x) {
        const Taps &t = columns[size_t(x)];
        if (t.weights.empty())
            continue;
        x0 = std::min(x0, x);
        x1 = x + 1;
        sx0 = std::min(sx0, t.first);
        sx1 = std::max(sx1, t.first + int(t.weights.size()));
    }
    if (x0 >= x1)
        return;

    // Row by row: down first, over the source columns taken, then across, blended over the
    // target.
    std::vector<float> down(size_t(sx1 - sx0) * 4);
    for (int y = 0; y < target.height; ++y) {
        const Taps &t = rows[size_t(y)];
        if (t.weights.empty())
            continue;
        std::fill(down.begin(), down.end(), 0.0f);
        for (size_t k = 0; k < t.weights.size(); ++k) {
            const float w = t.weights[k];
            const uint8_t *in = source.row(t.first + int(k)) + size_t(sx0) * 4;
            for (size_t i = 0; i < down.size(); ++i)
                down[i] += w * in[i];
        }
        uint8_t *out = target.row(y) + size_t(x0) * 4;
        for (int x = x0; x < x1; ++x, out += 4) {
            const Taps &c = columns[size_t(x)];
            float px[4] = {0, 0, 0, 0};
            const float *in = down.data() + size_t(c.first - sx0) * 4;
            for (float w : c.weights) {
                for (int i = 0; i < 4; ++i)
                    px[i] += w * in[i];
                in += 4;
            }
            const float keep = std::max(0.0f, 1.0f - px[3] / 255.0f);
            for (int i = 0; i < 4; ++i)
                out[i] = toByte(px[i] + out[i] * keep);
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
