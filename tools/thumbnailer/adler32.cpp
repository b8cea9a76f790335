#include "adler32.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace thumb {

namespace {

constexpr uint32_t Modulus = 65521;

#if defined(__SSE2__)
// Sums a block of 16-byte pieces (at most 5536 bytes, so that no sum overflows): `a` the sum of
// all bytes, `b` each byte weighted by its distance from the block's end, counted from 1.
void sumPieces(const uint8_t *data, size_t pieces, uint64_t &a, uint64_t &b)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i high = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9),
                  low = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
    __m128i sum = zero;      // bytes of the pieces so far
    __m128i before = zero;   // for each piece, the bytes of the pieces before it
    __m128i weighted = zero; // bytes weighted by their place in their piece
    for (size_t k = 0; k < pieces; ++k, data += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data));
        before = _mm_add_epi32(before, sum);
        sum = _mm_add_epi32(sum, _mm_sad_epu8(v, zero));
        weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(v, zero), high));
        weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(v, zero), low));
    }
    alignas(16) uint32_t s[4], p[4], w[4];
    _mm_store_si128(reinterpret_cast<__m128i *>(s), sum);
    _mm_store_si128(reinterpret_cast<__m128i *>(p), before);
    _mm_store_si128(reinterpret_cast<__m128i *>(w), weighted);
    // A byte in piece k of K, place j, is weighted 16 (K - 1 - k) + (16 - j).
    a = uint64_t(s[0]) + s[2];
    b = 16 * (uint64_t(p[0]) + p[2]) + uint64_t(w[0]) + w[1] + w[2] + w[3];
}
#endif

} // namespace

uint32_t adler32Of(uint32_t adler, const uint8_t *data, size_t n)
{
    uint64_t a = adler & 0xffff, b = adler >> 16;
#if defined(__SSE2__)
    while (n >= 16) {
        const size_t pieces = std::min<size_t>(n / 16, 346);
        uint64_t sum = 0, weighted = 0;
        sumPieces(data, pieces, sum, weighted);
        const size_t len = pieces * 16;
        b = (b + len * a + weighted) % Modulus;
        a = (a + sum) % Modulus;
        data += len;
        n -= len;
    }
#endif
    for (size_t i = 0; i < n; ++i) {
        a += data[i];
        b += a;
        if ((i & 4095) == 4095) {
            a %= Modulus;
            b %= Modulus;
        }
    }
    return uint32_t(b % Modulus << 16 | a % Modulus);
}

} // namespace thumb
