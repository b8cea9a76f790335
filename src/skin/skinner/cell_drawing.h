// Drawing from the skin's cached images: a cell stretched over a rectangle with fixed
// borders (the edges keep their size, the middle is stretched, nearest pixel), and a glyph
// drawn with its magenta pixels left out.
#pragma once

#include <QImage>
#include <QRect>

class QPainter;

namespace skin {

// border pixels of each edge of the cell keep their size; a target too small for both
// borders shares its size between them.
void drawCell(QPainter &p, const QImage &source, const QRect &cell, const QRect &target, int border);

// The cell's pixels except those in SkinImages::kTransparent, with its top left at at.
void drawGlyph(QPainter &p, const QImage &source, const QRect &cell, const QPoint &at);

} // namespace skin
