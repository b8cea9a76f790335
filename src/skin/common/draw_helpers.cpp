#include "skin/common/draw_helpers.h"

#include "skin/common/draw_primitives.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace skin {

ColourRef shiftColour(ColourRef colour, double amount)
{
    if (colour == kColourInvalid)
        return colour;
    auto shift = [amount](int v) { return std::clamp(roundEven(v + amount * 255.0), 0, 255); };
    return rgbRef(shift(refRed(colour)), shift(refGreen(colour)), shift(refBlue(colour)));
}

void fillRectRef(QPainter &p, int x1, int y1, int x2, int y2, ColourRef colour)
{
    if (x2 > x1 && y2 > y1)
        p.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), qColour(colour));
}

void frameRectRef(QPainter &p, int x, int y, int w, int h, ColourRef colour)
{
    if (w <= 0 || h <= 0)
        return;
    const QColor c = qColour(colour);
    p.fillRect(QRect(x, y, w, 1), c);
    p.fillRect(QRect(x, y + h - 1, w, 1), c);
    p.fillRect(QRect(x, y, 1, h), c);
    p.fillRect(QRect(x + w - 1, y, 1, h), c);
}

void drawButtonGradient(QPainter &p, ColourRef c1, ColourRef c2, int x, int y, int w, int h,
                        GradientDirection direction)
{
    if (w <= 0 || h <= 0)
        return;
    auto colourAt = [c1, c2](int i, int n) { return n <= 1 ? c1 : gradientStep(c1, c2, i, n - 1); };
    switch (direction) {
    case GradientDirection::Vertical:
        for (int i = 0; i < h; ++i)
            p.fillRect(QRect(x, y + i, w, 1), qColour(colourAt(i, h)));
        break;
    case GradientDirection::Horizontal:
        for (int i = 0; i < w; ++i)
            p.fillRect(QRect(x + i, y, 1, h), qColour(colourAt(i, w)));
        break;
    case GradientDirection::Diagonal: {
        // One colour per diagonal x + y, from the top-left corner to the bottom-right one.
        const int n = w + h - 1;
        for (int row = 0; row < h; ++row) {
            for (int col = 0; col < w; ++col)
                p.fillRect(QRect(x + col, y + row, 1, 1), qColour(colourAt(row + col, n)));
        }
        break;
    }
    }
}

EdgeColours EdgeColours::fromPalette()
{
    return {translateColour(sysColour(22)), translateColour(sysColour(20)), translateColour(sysColour(16)),
            translateColour(sysColour(21))};
}

static void edgeBorder(QPainter &p, const QRect &r, ColourRef topLeft, ColourRef bottomRight)
{
    const int l = r.left(), t = r.top(), rr = r.left() + r.width(), b = r.top() + r.height();
    fillRectRef(p, l, t, rr - 1, t + 1, topLeft);
    fillRectRef(p, l, t, l + 1, b - 1, topLeft);
    fillRectRef(p, l, b - 1, rr, b, bottomRight);
    fillRectRef(p, rr - 1, t, rr, b, bottomRight);
}

void drawEdgeRef(QPainter &p, const QRect &rect, int kind, const EdgeColours &c)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    if (kind & BDR_RAISEDOUTER)
        edgeBorder(p, rect, c.light3d, c.darkShadow);
    else if (kind & BDR_SUNKENOUTER)
        edgeBorder(p, rect, c.shadow, c.highlight);
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (inner.width() <= 0 || inner.height() <= 0)
        return;
    if (kind & BDR_RAISEDINNER)
        edgeBorder(p, (kind & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) ? inner : rect, c.highlight, c.shadow);
    else if (kind & BDR_SUNKENINNER)
        edgeBorder(p, (kind & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) ? inner : rect, c.darkShadow, c.light3d);
}

void drawFocusRectXor(QImage &image, int x1, int y1, int x2, int y2)
{
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    auto invert = [&image](int x, int y) {
        // The dots sit on a checkerboard of the whole button, like a pattern brush.
        if ((x + y) % 2 != 0 || !image.rect().contains(x, y))
            return;
        const QRgb v = image.pixel(x, y);
        image.setPixel(x, y, qRgba(255 - qRed(v), 255 - qGreen(v), 255 - qBlue(v), qAlpha(v)));
    };
    for (int x = x1; x < x2; ++x) {
        invert(x, y1);
        if (y2 - 1 != y1)
            invert(x, y2 - 1);
    }
    for (int y = y1 + 1; y < y2 - 1; ++y) {
        invert(x1, y);
        if (x2 - 1 != x1)
            invert(x2 - 1, y);
    }
}

QRegion roundRectRegion(int w, int h, int a, int b)
{
    if (w <= 0 || h <= 0)
        return QRegion();
    if (a < 2 || b < 2)
        return QRegion(0, 0, w, h);
    // A pixel of a corner stays when its centre lies within the corner ellipse drawn half a
    // pixel inside the outline; so a 3 x 3 corner loses just its corner pixel.
    const double rx = std::min(a, w) / 2.0, ry = std::min(b, h) / 2.0;
    const double ex = rx - 0.5, ey = ry - 0.5;
    QRegion region;
    for (int y = 0; y < h; ++y) {
        const double cy = y + 0.5;
        double dy = 0;
        if (cy < ry)
            dy = ry - cy;
        else if (cy > h - ry)
            dy = cy - (h - ry);
        int inset = 0;
        if (dy > 0) {
            while (inset < w / 2) {
                const double dx = rx - (inset + 0.5);
                if (dx <= 0)
                    break;
                const double v =
                    (ex > 0 ? (dx * dx) / (ex * ex) : 2.0) + (ey > 0 ? (dy * dy) / (ey * ey) : 2.0);
                if (v <= 1.0 + 1e-9)
                    break;
                ++inset;
            }
        }
        region += QRect(inset, y, w - 2 * inset, 1);
    }
    return region;
}

} // namespace skin
