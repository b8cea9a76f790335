// The functions of the system's maths library that the thumbnailer calls: trigonometry for the
// rotations and arcs of vector drawables, a logarithm for judging how well an image packs. libm
// is opened the first time one of them is called. Most thumbnails are a bitmap copied or scaled
// and call none, and loading libm at every start cost about a tenth of a millisecond. Square
// roots, rounding and the like need no library: with -fno-math-errno they are single
// instructions (CMakeLists.txt).
#pragma once

namespace thumb::maths {

// Each throws IconError when libm cannot be loaded.
double sin(double x);
double cos(double x);
double tan(double x);
double atan2(double y, double x);
double log2(double x);

} // namespace thumb::maths
