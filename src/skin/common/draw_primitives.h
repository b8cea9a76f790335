// Drawing primitives shared by the skin controls. Colours are colour references
// (0x00BBGGRR, already translated); coordinates are device pixels. Lines follow the rule
// of a one-pixel pen: the end point itself is not painted.
#pragma once

#include "skin/common/colour_ref.h"

class QPainter;

namespace skin {

// Per channel (weight * a + (255 - weight) * b) / 255, rounded to nearest, ties to even.
ColourRef BlendColor(ColourRef a, ColourRef b, int weight);

// Per channel c1 + (c2 - c1) * i / n, rounded like BlendColor.
ColourRef gradientStep(ColourRef c1, ColourRef c2, int i, int n);

// Nearest integer, ties to even (the rounding of every count and colour in the skin).
int roundEven(double v);

void APILineEx(QPainter &p, int x1, int y1, int x2, int y2, ColourRef colour);
// Outline through (x, y), (x + w, y), (x + w, y + h), (x, y + h) and back.
void ApiRectangle(QPainter &p, int x, int y, int w, int h, ColourRef colour);
void setPixelRef(QPainter &p, int x, int y, ColourRef colour);

// For i = 1 .. n - 1 one line in gradientStep(c1, c2, i, n): vertical, from (x1, y1 + i)
// to (x2, y1 + i); otherwise from (x1 + i, y1) to (x1 + i, y2).
void DrawLinearGradient(QPainter &p, ColourRef c1, ColourRef c2, int x1, int y1, int x2, int y2, int n,
                        bool vertical);

// A gradient from a to b over the first 1/ratio of the rectangle and back from b to a
// over the rest (a "cylinder"). A ratio of 1 or less means 1.01.
void DrawGradCilinder(QPainter &p, ColourRef a, ColourRef b, int x, int y, int w, int h, bool vertical,
                      double ratio);

// mode 0: vertical b -> a; 1: horizontal b -> a; 2: vertical cylinder; 3: horizontal
// cylinder. Then an outline when drawBorder.
void DrawGradientInRectangle(QPainter &p, ColourRef a, ColourRef b, int x, int y, int w, int h, int mode,
                             bool drawBorder = false, ColourRef borderColour = 0, double ratio = 1.01);

} // namespace skin
