// Scaling images: averaging the pixels each target pixel covers when making smaller, linear
// interpolation when making larger, always on premultiplied colour so that transparent pixels
// lend no colour to their neighbours.
#pragma once

#include "image.h"

namespace thumb {

struct RectF
{
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// Draws `source` scaled to fill `area` of `target` (premultiplied), over what is there. Parts of
// the area outside the target are left out, its fractional edges are blended.
void drawScaled(Image &target, Image source, const RectF &area);

// Scaled down, keeping its proportions, to fit size x size; never scaled up.
Image fitted(Image image, int size);

} // namespace thumb
