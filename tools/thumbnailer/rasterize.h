// Filling polygons with anti-aliased edges, row by row: sixteen sample lines a pixel row down,
// the exact share of each pixel across.
#pragma once

#include "path.h"

#include <functional>

namespace thumb {

// Called for each pixel row the polygons touch, with the coverage (0 to 1) of pixels [x0, x1).
using CoverageRow = std::function<void(int y, int x0, int x1, const float *coverage)>;

// Fills the polygons (each closed, whether marked so or not) by the rule, over a canvas of
// width x height pixels. Throws IconError for outlines of implausibly many edges.
void rasterize(const std::vector<Polyline> &polygons, FillRule rule, int width, int height,
               const CoverageRow &row);

// Polygons that, filled by the non-zero rule, cover the stroke of the lines `width` wide: ends
// cut square at the end points, corners mitred up to four times the half width, else bevelled.
std::vector<Polyline> strokeOutline(const std::vector<Polyline> &lines, double width);

} // namespace thumb
