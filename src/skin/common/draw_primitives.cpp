#include "skin/common/draw_primitives.h"

#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace skin {

int roundEven(double v)
{
    // The default floating-point environment rounds to nearest, ties to even.
    return int(std::nearbyint(v));
}

static int clampChannel(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

ColourRef BlendColor(ColourRef a, ColourRef b, int weight)
{
    auto mix = [weight](int ca, int cb) {
        return clampChannel(roundEven((double(weight) * ca + double(255 - weight) * cb) / 255.0));
    };
    return rgbRef(mix(refRed(a), refRed(b)), mix(refGreen(a), refGreen(b)), mix(refBlue(a), refBlue(b)));
}

ColourRef gradientStep(ColourRef c1, ColourRef c2, int i, int n)
{
    auto step = [i, n](int a, int b) { return clampChannel(roundEven(a + double(b - a) * i / n)); };
    return rgbRef(step(refRed(c1), refRed(c2)), step(refGreen(c1), refGreen(c2)),
                  step(refBlue(c1), refBlue(c2)));
}

void setPixelRef(QPainter &p, int x, int y, ColourRef colour)
{
    p.fillRect(QRect(x, y, 1, 1), qColour(colour));
}

void APILineEx(QPainter &p, int x1, int y1, int x2, int y2, ColourRef colour)
{
    const QColor c = qColour(colour);
    if (y1 == y2) {
        if (x1 != x2)
            p.fillRect(x1 < x2 ? QRect(x1, y1, x2 - x1, 1) : QRect(x2 + 1, y1, x1 - x2, 1), c);
        return;
    }
    if (x1 == x2) {
        p.fillRect(y1 < y2 ? QRect(x1, y1, 1, y2 - y1) : QRect(x1, y2 + 1, 1, y1 - y2), c);
        return;
    }
    // Bresenham from the start, stopping before the end point.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy, x = x1, y = y1;
    while (x != x2 || y != y2) {
        p.fillRect(QRect(x, y, 1, 1), c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void ApiRectangle(QPainter &p, int x, int y, int w, int h, ColourRef colour)
{
    APILineEx(p, x, y, x + w, y, colour);
    APILineEx(p, x + w, y, x + w, y + h, colour);
    APILineEx(p, x + w, y + h, x, y + h, colour);
    APILineEx(p, x, y + h, x, y, colour);
}

void DrawLinearGradient(QPainter &p, ColourRef c1, ColourRef c2, int x1, int y1, int x2, int y2, int n,
                        bool vertical)
{
    for (int i = 1; i < n; ++i) {
        const ColourRef c = gradientStep(c1, c2, i, n);
        if (vertical)
            APILineEx(p, x1, y1 + i, x2, y1 + i, c);
        else
            APILineEx(p, x1 + i, y1, x1 + i, y2, c);
    }
}

void DrawGradCilinder(QPainter &p, ColourRef a, ColourRef b, int x, int y, int w, int h, bool vertical,
                      double ratio)
{
    if (!(ratio > 1.0))
        ratio = 1.01;
    if (vertical) {
        DrawLinearGradient(p, a, b, x, y, x + w, 0, roundEven(h / ratio), true);
        const int g = roundEven(h / ratio + y - 1);
        DrawLinearGradient(p, b, a, x, g, x + w, 0, roundEven((ratio - 1) * h / ratio + 1), true);
    } else {
        DrawLinearGradient(p, a, b, x, y, 0, y + h, roundEven(w / ratio), false);
        const int g = roundEven(w / ratio + x - 1);
        DrawLinearGradient(p, b, a, g, y, 0, y + h, roundEven((ratio - 1) * w / ratio + 1), false);
    }
}

void DrawGradientInRectangle(QPainter &p, ColourRef a, ColourRef b, int x, int y, int w, int h, int mode,
                             bool drawBorder, ColourRef borderColour, double ratio)
{
    switch (mode) {
    case 0:
        DrawLinearGradient(p, b, a, x, y, x + w, 0, h, true);
        break;
    case 1:
        DrawLinearGradient(p, b, a, x, y, 0, y + h, w, false);
        break;
    case 2:
        DrawGradCilinder(p, a, b, x, y, w, h, true, ratio);
        break;
    case 3:
        DrawGradCilinder(p, a, b, x, y, w, h, false, ratio);
        break;
    default:
        break;
    }
    if (drawBorder)
        ApiRectangle(p, x, y, w, h, borderColour);
}

} // namespace skin
