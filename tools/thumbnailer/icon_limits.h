// What the thumbnailer reads at most for one icon. Real icons are a few hundred kilobytes and
// at most 1024 pixels square; beyond these bounds an input is built to exhaust the reader.
#pragma once

#include <cstddef>
#include <cstdint>

namespace thumb {

// Bytes one image may take, packed in the archive or decoded into pixels.
constexpr uint64_t MaxImageBytes = 64ull << 20;
// Pixels along either side of one image.
constexpr int MaxImageSide = 8192;
// Bytes of a property list or a compiled drawable read whole.
constexpr uint64_t MaxDocumentBytes = 8ull << 20;
// Characters of path data in one vector drawable, all paths together.
constexpr size_t MaxPathData = 4u << 20;
// Seconds a whole run may take before it gives up.
constexpr unsigned TimeLimitSeconds = 20;

} // namespace thumb
