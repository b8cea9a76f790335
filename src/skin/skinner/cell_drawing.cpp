#include "skin/skinner/cell_drawing.h"

#include "skin/skinner/skin_images.h"

#include <QPainter>
#include <algorithm>

namespace skin {

namespace {

// Source and target spans of the three parts along one axis: before, middle, after.
struct Spans
{
    int src[4];
    int dst[4];
};

Spans split(int srcStart, int srcSize, int dstStart, int dstSize, int border)
{
    const int b = std::min(border, srcSize / 2);
    const int lead = std::min(b, dstSize / 2);
    const int trail = std::min(b, dstSize - lead);
    return {{srcStart, srcStart + b, srcStart + srcSize - b, srcStart + srcSize},
            {dstStart, dstStart + lead, dstStart + dstSize - trail, dstStart + dstSize}};
}

} // namespace

void drawCell(QPainter &p, const QImage &source, const QRect &cell, const QRect &target, int border)
{
    if (source.isNull() || target.isEmpty() || cell.isEmpty())
        return;
    const Spans h = split(cell.x(), cell.width(), target.x(), target.width(), border);
    const Spans v = split(cell.y(), cell.height(), target.y(), target.height(), border);
    const bool smooth = p.testRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect dst(QPoint(h.dst[col], v.dst[row]), QPoint(h.dst[col + 1] - 1, v.dst[row + 1] - 1));
            const QRect src(QPoint(h.src[col], v.src[row]), QPoint(h.src[col + 1] - 1, v.src[row + 1] - 1));
            if (dst.isEmpty() || src.isEmpty())
                continue;
            p.drawImage(dst, source, src);
        }
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void drawGlyph(QPainter &p, const QImage &source, const QRect &cell, const QPoint &at)
{
    QImage glyph = source.copy(cell).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < glyph.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(glyph.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x) {
            if ((line[x] | 0xFF000000u) == SkinImages::kTransparent)
                line[x] = 0;
        }
    }
    p.drawImage(at, glyph);
}

} // namespace skin
