// zlib's data checksum, computed here rather than by zlib's byte-at-a-time loop: the image data
// of a thumbnail is checksummed once on the way in and once on the way out, as much work as the
// inflating itself.
#pragma once

#include <cstddef>
#include <cstdint>

namespace thumb {

// The checksum of `n` more bytes after those that gave `adler` (1 for none).
uint32_t adler32Of(uint32_t adler, const uint8_t *data, size_t n);

} // namespace thumb
