// The path data of a vector drawable: SVG path syntax (moveto, lineto, curves, arcs, close),
// absolute and relative, numbers packed as SVG allows ("1.5.5" is two numbers).
#pragma once

#include "path.h"

#include <string_view>

namespace thumb {

// Parses as much of the data as is well formed, as the platform does: a path that breaks off
// keeps what came before. Never throws.
Path parsePathData(std::string_view data);

} // namespace thumb
