// General drawing helpers the multistyle button and the control skinner share, on top of the
// primitives. They keep the pixel rules the button's looks were designed with: a filled or
// outlined rectangle covers x1 <= x < x2 and y1 <= y < y2; a line leaves out its end point.
#pragma once

#include "skin/common/colour_ref.h"

#include <QRect>
#include <QRegion>

class QImage;
class QPainter;

namespace skin {

// Each channel plus amount * 255, rounded and clamped to 0..255; a failed colour stays so.
ColourRef shiftColour(ColourRef colour, double amount);

// Fills (x1, y1)-(x2, y2), right and bottom edges excluded.
void fillRectRef(QPainter &p, int x1, int y1, int x2, int y2, ColourRef colour);
// One-pixel outline of the w x h rectangle at (x, y), inside that rectangle.
void frameRectRef(QPainter &p, int x, int y, int w, int h, ColourRef colour);

enum class GradientDirection { Horizontal, Vertical, Diagonal };
// A gradient over the w x h rectangle at (x, y), one colour per column, row or diagonal:
// step i of n takes c1 + (c2 - c1) * i / (n - 1), so the first step is c1 and the last c2.
void drawButtonGradient(QPainter &p, ColourRef c1, ColourRef c2, int x, int y, int w, int h,
                        GradientDirection direction);

// The colours of the platform's three-dimensional edges.
struct EdgeColours
{
    ColourRef light3d;    // outer light of a raised edge
    ColourRef highlight;  // inner light
    ColourRef shadow;     // inner shadow
    ColourRef darkShadow; // outer shadow
    static EdgeColours fromPalette();
};

enum EdgeKind {
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER
};
// The outer border on the rectangle's edge, the inner one a pixel inside; the bottom and
// right lines run the full length, so they own the corners they share with the others.
void drawEdgeRef(QPainter &p, const QRect &rect, int kind, const EdgeColours &colours);

// Dotted outline of (x1, y1)-(x2, y2) that inverts every other pixel, so it shows on any face
// and drawing it twice removes it.
void drawFocusRectXor(QImage &image, int x1, int y1, int x2, int y2);

// The w x h rectangle with its corners cut along an a x b ellipse (a or b below 2: square).
QRegion roundRectRegion(int w, int h, int a, int b);

} // namespace skin
