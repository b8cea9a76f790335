#include "png_pass_through.h"

#include "adler32.h"
#include "icon_limits.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>
#include <zlib.h>

namespace thumb {

namespace {

constexpr char Signature[] = "\x89PNG\r\n\x1a\n";
constexpr size_t SignatureSize = 8;

uint32_t be32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return uint32_t(u[0]) << 24 | uint32_t(u[1]) << 16 | uint32_t(u[2]) << 8 | u[3];
}

// Bits a pixel for a colour type and bit depth the format allows; 0 for any other pair.
unsigned bitsPerPixel(uint8_t colourType, uint8_t depth)
{
    const bool low = depth == 1 || depth == 2 || depth == 4, wide = depth == 8 || depth == 16;
    switch (colourType) {
    case 0: // grey
        return low || wide ? depth : 0;
    case 3: // palette
        return low || depth == 8 ? depth : 0;
    case 2: // RGB
        return wide ? 3u * depth : 0;
    case 4: // grey and alpha
        return wide ? 2u * depth : 0;
    case 6: // RGBA
        return wide ? 4u * depth : 0;
    default:
        return 0;
    }
}

// The rows of filtered image data: one pass, or the seven of Adam7 interlacing (empty ones left out).
struct Pass
{
    uint64_t rows = 0;
    uint64_t rowBytes = 0; // without the filter byte
};

std::vector<Pass> passesOf(uint32_t width, uint32_t height, unsigned bits, bool interlaced)
{
    auto rowBytes = [bits](uint64_t pixels) { return (pixels * bits + 7) / 8; };
    if (!interlaced)
        return {{height, rowBytes(width)}};
    static constexpr uint32_t X0[7] = {0, 4, 0, 2, 0, 1, 0}, Y0[7] = {0, 0, 4, 0, 2, 0, 1};
    static constexpr uint32_t DX[7] = {8, 8, 4, 4, 2, 2, 1}, DY[7] = {8, 8, 8, 4, 4, 2, 2};
    std::vector<Pass> passes;
    for (int i = 0; i < 7; ++i) {
        const uint64_t columns = width > X0[i] ? (width - X0[i] + DX[i] - 1) / DX[i] : 0;
        const uint64_t rows = height > Y0[i] ? (height - Y0[i] + DY[i] - 1) / DY[i] : 0;
        if (columns && rows)
            passes.push_back({rows, rowBytes(columns)});
    }
    return passes;
}

// Walks inflated image data row by row, checking each row's filter byte.
class RowWalk
{
public:
    explicit RowWalk(std::vector<Pass> passes) : m_passes(std::move(passes)), m_rowsLeft(m_passes[0].rows) {}

    // False when the data has an unknown filter or runs past the last row.
    bool take(const unsigned char *data, size_t n)
    {
        size_t k = 0;
        while (k < n) {
            if (m_left == 0) {
                while (m_rowsLeft == 0) {
                    if (++m_pass == m_passes.size())
                        return false;
                    m_rowsLeft = m_passes[m_pass].rows;
                }
                --m_rowsLeft;
                if (data[k] > 4)
                    return false;
                ++k;
                m_left = m_passes[m_pass].rowBytes;
                continue;
            }
            const size_t step = size_t(std::min<uint64_t>(m_left, n - k));
            k += step;
            m_left -= step;
        }
        return true;
    }

    // True when every row was given whole.
    bool complete() const { return m_left == 0 && m_rowsLeft == 0 && m_pass + 1 == m_passes.size(); }

private:
    std::vector<Pass> m_passes;
    size_t m_pass = 0;
    uint64_t m_rowsLeft;
    uint64_t m_left = 0; // bytes left of the current row
};

// Inflates the IDAT chunks' data, zlib's format: it must end exactly with the last row, and then
// with its checksum. zlib's call-back inflation writes straight into the window it needs anyway,
// here on the stack: no copy from one to the other, and few pages for a short-lived run to touch.
bool imageDataSound(const std::vector<std::string_view> &idats, RowWalk &walk)
{
    std::string joined;
    if (idats.size() > 1)
        for (const std::string_view data : idats)
            joined += data;
    const std::string_view stream = idats.size() > 1 ? std::string_view(joined) : idats.front();
    if (stream.size() < 6)
        return false;
    const auto *u = reinterpret_cast<const unsigned char *>(stream.data());
    // Deflate, a window of at most 32 KiB, no preset dictionary, a valid header check.
    if ((u[0] & 0x0f) != 8 || u[0] >> 4 > 7 || u[1] & 0x20 || (u[0] << 8 | u[1]) % 31 != 0)
        return false;
    unsigned char window[1u << MAX_WBITS];
    z_stream s{};
    if (inflateBackInit(&s, MAX_WBITS, window) != Z_OK)
        return false;
    struct End
    {
        z_stream &s;
        ~End() { inflateBackEnd(&s); }
    } end{s};
    s.next_in = const_cast<Bytef *>(u + 2);
    s.avail_in = uInt(stream.size() - 6);
    struct Rows
    {
        RowWalk &walk;
        uint32_t adler = 1;
    } rows{walk};
    // All the input is given at the start: asking for more means it ended early.
    const in_func noMore = [](void *, z_const unsigned char **) -> unsigned { return 0; };
    const out_func take = [](void *to, unsigned char *data, unsigned n) -> int {
        Rows &r = *static_cast<Rows *>(to);
        r.adler = adler32Of(r.adler, data, n);
        return r.walk.take(data, n) ? 0 : 1;
    };
    return inflateBack(&s, noMore, nullptr, take, &rows) == Z_STREAM_END && s.avail_in == 0 &&
           walk.complete() && rows.adler == be32(stream.data() + stream.size() - 4);
}

} // namespace

std::optional<std::string> passThroughPng(std::string_view source, int size)
{
    if (source.size() < SignatureSize || std::memcmp(source.data(), Signature, SignatureSize) != 0)
        return std::nullopt;
    // Checked and copied from a copy of its own: a mapped file changing meanwhile cannot make
    // what is written differ from what was checked.
    const std::string png(source);
    std::string out(Signature, SignatureSize);
    out.reserve(png.size());

    uint32_t width = 0, height = 0;
    uint8_t colourType = 0, depth = 0, interlace = 0;
    size_t paletteEntries = 0;
    bool header = false, transparency = false, ended = false, idatsOver = false;
    std::vector<std::string_view> idats;
    size_t at = SignatureSize;
    while (!ended) {
        if (png.size() - at < 12)
            return std::nullopt;
        const uint32_t length = be32(png.data() + at);
        if (length > 0x7fffffffu || length > png.size() - at - 12)
            return std::nullopt;
        const std::string_view whole = std::string_view(png).substr(at, 12 + size_t(length));
        const std::string_view type = whole.substr(4, 4), data = whole.substr(8, length);
        at += whole.size();
        if (!std::all_of(type.begin(), type.end(),
                         [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }))
            return std::nullopt;
        const bool isIdat = type == "IDAT";
        if (!header && type != "IHDR")
            return std::nullopt;
        if (!idats.empty() && !isIdat)
            idatsOver = true;

        if (type == "IHDR") {
            if (header || length != 13)
                return std::nullopt;
            header = true;
            width = be32(data.data());
            height = be32(data.data() + 4);
            depth = uint8_t(data[8]);
            colourType = uint8_t(data[9]);
            interlace = uint8_t(data[12]);
            if (width < 1 || height < 1 || width > uint32_t(std::min(size, MaxImageSide)) ||
                height > uint32_t(std::min(size, MaxImageSide)) ||
                uint64_t(width) * height * 4 > MaxImageBytes || !bitsPerPixel(colourType, depth) ||
                data[10] != 0 || data[11] != 0 || interlace > 1)
                return std::nullopt;
        } else if (type == "PLTE") {
            if (paletteEntries || transparency || !idats.empty() || colourType == 0 || colourType == 4 ||
                length == 0 || length % 3 != 0 || length / 3 > 256u ||
                (colourType == 3 && length / 3 > (1u << depth)))
                return std::nullopt;
            paletteEntries = length / 3;
        } else if (type == "tRNS") {
            const bool fits = colourType == 3   ? paletteEntries && length <= paletteEntries
                              : colourType == 0 ? length == 2
                              : colourType == 2 ? length == 6
                                                : false;
            if (transparency || !idats.empty() || !fits)
                return std::nullopt;
            transparency = true;
        } else if (isIdat) {
            if (idatsOver || (colourType == 3 && !paletteEntries))
                return std::nullopt;
            idats.push_back(data);
        } else if (type == "IEND") {
            if (length != 0 || idats.empty())
                return std::nullopt;
            ended = true;
        } else {
            // A chunk a reader must understand that is none of the above: not a file to copy.
            // Other chunks (text, gamma, times) are left out.
            if (type[0] >= 'A' && type[0] <= 'Z')
                return std::nullopt;
            continue;
        }
        const uint32_t crc =
            uint32_t(crc32_z(0, reinterpret_cast<const Bytef *>(type.data()), 4 + size_t(length)));
        if (crc != be32(whole.data() + 8 + length))
            return std::nullopt;
        out += whole;
    }
    RowWalk walk(passesOf(width, height, bitsPerPixel(colourType, depth), interlace == 1));
    if (!imageDataSound(idats, walk))
        return std::nullopt;
    return out;
}

} // namespace thumb
