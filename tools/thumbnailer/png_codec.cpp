#include "png_codec.h"

#include "adler32.h"
#include "icon_limits.h"
#include "maths.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <zlib.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace thumb {

namespace {

constexpr unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

uint32_t be32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return uint32_t(u[0]) << 24 | uint32_t(u[1]) << 16 | uint32_t(u[2]) << 8 | u[3];
}

struct Chunk
{
    std::string_view type;
    std::string_view data;
};

// Walks the chunks after the signature; stops at the end of the bytes or at a chunk that runs
// past them.
class ChunkReader
{
public:
    explicit ChunkReader(std::string_view png) : m_png(png), m_at(sizeof Signature) {}

    bool next(Chunk &chunk)
    {
        if (m_png.size() - m_at < 12)
            return false;
        const uint32_t length = be32(m_png.data() + m_at);
        if (length > m_png.size() - m_at - 12)
            return false;
        chunk.type = m_png.substr(m_at + 4, 4);
        chunk.data = m_png.substr(m_at + 8, length);
        m_at += 12 + size_t(length);
        return true;
    }

private:
    std::string_view m_png;
    size_t m_at;
};

// The neighbour (left a, up b, up-left c) nearest to a + b - c.
uint8_t paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

#if defined(__SSE2__)
// The three filters that depend on the pixel to the left, undone a whole RGBA pixel at a time in
// SSE2 registers rather than byte by byte: most launcher bitmaps are RGBA, and these rows are
// most of their decoding.
__m128i pixelBytes(const uint8_t *p)
{
    int32_t word;
    std::memcpy(&word, p, 4);
    return _mm_cvtsi32_si128(word);
}

void putPixelBytes(uint8_t *p, __m128i v)
{
    const int32_t word = _mm_cvtsi128_si32(v);
    std::memcpy(p, &word, 4);
}

// Where `mask` is set, `yes`, else `no`.
__m128i choose(__m128i mask, __m128i yes, __m128i no)
{
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

__m128i absolute16(__m128i v)
{
    return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v));
}

void unfilterRgbaRow(uint8_t filter, uint8_t *px, const uint8_t *up, size_t rowBytes)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i a = zero; // the pixel to the left, as bytes (or, for Paeth, as 16-bit lanes)
    switch (filter) {
    case 1:
        for (size_t i = 0; i < rowBytes; i += 4) {
            a = _mm_add_epi8(a, pixelBytes(px + i));
            putPixelBytes(px + i, a);
        }
        break;
    case 3: {
        // The byte average rounds up; the filter's rounds down where the sum is odd.
        const __m128i one = _mm_set1_epi8(1);
        for (size_t i = 0; i < rowBytes; i += 4) {
            const __m128i b = pixelBytes(up + i);
            const __m128i average = _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), one));
            a = _mm_add_epi8(pixelBytes(px + i), average);
            putPixelBytes(px + i, a);
        }
        break;
    }
    case 4: {
        __m128i c = zero; // up and to the left
        for (size_t i = 0; i < rowBytes; i += 4) {
            const __m128i b = _mm_unpacklo_epi8(pixelBytes(up + i), zero);
            const __m128i fromB = _mm_sub_epi16(b, c), fromA = _mm_sub_epi16(a, c);
            const __m128i pa = absolute16(fromB), pb = absolute16(fromA),
                          pc = absolute16(_mm_add_epi16(fromB, fromA));
            const __m128i smallest = _mm_min_epi16(pc, _mm_min_epi16(pa, pb));
            // Ties go to a, then b, as in paeth().
            const __m128i nearest =
                choose(_mm_cmpeq_epi16(smallest, pa), a, choose(_mm_cmpeq_epi16(smallest, pb), b, c));
            const __m128i sum = _mm_add_epi16(_mm_unpacklo_epi8(pixelBytes(px + i), zero), nearest);
            const __m128i bytes = _mm_packus_epi16(_mm_and_si128(sum, _mm_set1_epi16(0xff)), zero);
            putPixelBytes(px + i, bytes);
            a = _mm_unpacklo_epi8(bytes, zero);
            c = b;
        }
        break;
    }
    }
}
#endif

// Reverses a row's filter in place: `row` is the filter byte and rowBytes of pixels, `up` the
// row above, unfiltered (zeros for the first). BPP bytes a pixel, known when compiled for the
// usual kinds, so that the loops run pixel by pixel.
template <size_t BPP> void unfilterRow(uint8_t *row, const uint8_t *up, size_t rowBytes, size_t bppAtRun)
{
    const size_t bpp = BPP ? BPP : bppAtRun;
    uint8_t *px = row + 1;
#if defined(__SSE2__)
    if (BPP == 4 && (row[0] == 1 || row[0] == 3 || row[0] == 4)) {
        unfilterRgbaRow(row[0], px, up, rowBytes);
        return;
    }
#endif
    switch (row[0]) {
    case 0:
        break;
    case 1:
        for (size_t i = bpp; i < rowBytes; ++i)
            px[i] = uint8_t(px[i] + px[i - bpp]);
        break;
    case 2:
        for (size_t i = 0; i < rowBytes; ++i)
            px[i] = uint8_t(px[i] + up[i]);
        break;
    case 3:
        for (size_t i = 0; i < bpp && i < rowBytes; ++i)
            px[i] = uint8_t(px[i] + up[i] / 2);
        for (size_t i = bpp; i < rowBytes; ++i)
            px[i] = uint8_t(px[i] + (px[i - bpp] + up[i]) / 2);
        break;
    case 4:
        for (size_t i = 0; i < bpp && i < rowBytes; ++i)
            px[i] = uint8_t(px[i] + up[i]);
        for (size_t i = bpp; i < rowBytes; ++i)
            px[i] = uint8_t(px[i] + paeth(px[i - bpp], up[i], up[i - bpp]));
        break;
    default:
        throw IconError("PNG: unknown row filter " + std::to_string(row[0]));
    }
}

void unfilterRow(uint8_t *row, const uint8_t *up, size_t rowBytes, size_t bpp)
{
    if (bpp == 4)
        unfilterRow<4>(row, up, rowBytes, bpp);
    else if (bpp == 3)
        unfilterRow<3>(row, up, rowBytes, bpp);
    else
        unfilterRow<0>(row, up, rowBytes, bpp);
}

// The image's rows, inflated from the IDAT chunks one at a time (zlib's format, or raw deflate
// for Apple's variant) and unfiltered, each handed to `take` as rowBytes of pixels. Data that
// ends early or runs on past the last row is damage.
template <typename Take>
void forEachRow(std::string_view png, const PngHeader &header, size_t bpp, bool raw, Take take)
{
    checkImageSize(header.width, header.height);
    const size_t rowBytes = size_t(header.width) * bpp;
    std::vector<uint8_t> rows(2 * (rowBytes + 1), 0);
    uint8_t *row = rows.data(), *up = rows.data() + rowBytes + 1;
    // Plain PNGs wrap the deflate data in zlib's two-byte header and checksum: the header is
    // checked and passed over, the checksum left unread, as a picture's pixels need no more.
    z_stream s{};
    if (inflateInit2(&s, -MAX_WBITS) != Z_OK)
        throw IconError("PNG: cannot inflate");
    uint8_t wrapper[2];
    size_t wrapperLeft = raw ? 0 : 2;
    struct End
    {
        z_stream &s;
        ~End() { inflateEnd(&s); }
    } end{s};
    ChunkReader chunks(png);
    Chunk c;
    bool ended = false; // the stream's final block was read
    auto fill = [&](uint8_t *out, size_t n) {
        s.next_out = out;
        s.avail_out = uInt(n);
        while (s.avail_out > 0 && !ended) {
            if (s.avail_in == 0) {
                if (!chunks.next(c) || c.type == "IEND")
                    return false;
                if (c.type != "IDAT")
                    continue;
                s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(c.data.data()));
                s.avail_in = uInt(c.data.size());
                continue;
            }
            if (wrapperLeft > 0) {
                wrapper[2 - wrapperLeft] = *s.next_in++;
                --s.avail_in;
                // Deflate, a window of at most 32 KiB, no preset dictionary, a valid check.
                if (--wrapperLeft == 0 && ((wrapper[0] & 0x0f) != 8 || wrapper[0] >> 4 > 7 ||
                                           wrapper[1] & 0x20 || (wrapper[0] << 8 | wrapper[1]) % 31 != 0))
                    throw IconError("PNG: image data damaged");
                continue;
            }
            const int status = inflate(&s, Z_NO_FLUSH);
            if (status == Z_STREAM_END)
                ended = true;
            else if (status != Z_OK)
                throw IconError("PNG: image data damaged");
        }
        return s.avail_out == 0;
    };
    for (uint32_t y = 0; y < header.height; ++y) {
        if (!fill(row, rowBytes + 1))
            throw IconError("PNG: image data damaged or of the wrong size");
        unfilterRow(row, up + 1, rowBytes, bpp);
        take(static_cast<const uint8_t *>(row + 1));
        std::swap(row, up);
    }
    // Some tools end the data without the final block marker, and a file cut after its image
    // data still has all its pixels; but data beyond the rows is damage.
    uint8_t more;
    if (!ended && fill(&more, 1))
        throw IconError("PNG: image data damaged or of the wrong size");
}

// An image of the header's size, checked against the bounds first.
Image imageOf(const PngHeader &header)
{
    checkImageSize(header.width, header.height);
    Image image;
    image.width = int(header.width);
    image.height = int(header.height);
    image.pixels.resize(size_t(header.width) * header.height * 4);
    return image;
}

void appendChunk(std::string &png, const char *type, std::string_view data)
{
    auto be = [&png](uint32_t v) {
        for (int shift : {24, 16, 8, 0})
            png += char(v >> shift & 0xff);
    };
    be(uint32_t(data.size()));
    const size_t start = png.size();
    png.append(type, 4);
    png += data;
    be(uint32_t(crc32_z(0, reinterpret_cast<const Bytef *>(png.data() + start), png.size() - start)));
}

// A row as its difference from the pixel to its left ("Sub"), after its filter byte.
void subFilter(const uint8_t *__restrict in, uint8_t *__restrict out, size_t rowBytes)
{
    out[0] = 1;
    std::memcpy(out + 1, in, std::min<size_t>(4, rowBytes));
    for (size_t i = 4; i < rowBytes; ++i)
        out[1 + i] = uint8_t(in[i] - in[i - 4]);
}

// True when the filtered rows are spread so evenly over their values (more than 4 bits of
// information a byte, judged from every eighth row) that no Huffman code could even halve them:
// noise-like pictures, which are stored as they are rather than spending the run's longest step
// on packing that gains little.
bool hardToPack(const Image &image, std::vector<uint8_t> &row)
{
    const size_t rowBytes = size_t(image.width) * 4;
    size_t counts[256] = {};
    size_t total = 0;
    for (int y = 0; y < image.height; y += 8) {
        subFilter(image.row(y), row.data(), rowBytes);
        for (size_t i = 0; i <= rowBytes; ++i)
            ++counts[row[i]];
        total += rowBytes + 1;
    }
    double bits = 0;
    for (size_t n : counts)
        if (n)
            bits -= double(n) * maths::log2(double(n) / double(total));
    return total > 0 && bits / double(total) > 4;
}

} // namespace

std::string encodePng(const Image &image)
{
    const size_t rowBytes = size_t(image.width) * 4;
    std::vector<uint8_t> row(rowBytes + 1);
    // Packed at zlib's fastest level, which icons' flat areas and gradients (mostly runs within a
    // row) take well; noise-like pictures stored. The whole window: a smaller one is slid, and
    // its hash table with it, every time it fills, which costs more than the larger one does.
    // Raw deflate data, wrapped here: zlib's checksum is computed faster by adler32Of.
    const bool store = hardToPack(image, row);
    z_stream s{};
    if (deflateInit2(&s, store ? Z_NO_COMPRESSION : Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 6,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        throw IconError("the icon cannot be packed as PNG");
    struct End
    {
        z_stream &s;
        ~End() { deflateEnd(&s); }
    } end{s};

    std::string png(reinterpret_cast<const char *>(Signature), sizeof Signature);
    std::string header;
    for (uint32_t v : {uint32_t(image.width), uint32_t(image.height)})
        for (int shift : {24, 16, 8, 0})
            header += char(v >> shift & 0xff);
    header += std::string("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, adaptive filters, no interlace
    appendChunk(png, "IHDR", header);
    // The IDAT chunk deflated in place, row by row, the string grown as the output needs: its
    // length and checksum filled in after. The data: zlib's header (deflate, 32 KiB window,
    // fastest), the deflate stream, the checksum of the filtered rows.
    const size_t idat = png.size();
    png.resize(idat + 10 + (store ? (rowBytes + 1) * size_t(image.height) + 1024 : 16384));
    std::memcpy(png.data() + idat + 4, "IDAT\x78\x01", 6);
    const size_t stream = idat + 10;
    uint32_t adler = 1;
    int status = Z_OK;
    for (int y = 0; y < image.height; ++y) {
        subFilter(image.row(y), row.data(), rowBytes);
        adler = adler32Of(adler, row.data(), row.size());
        s.next_in = row.data();
        s.avail_in = uInt(row.size());
        const int flush = y + 1 == image.height ? Z_FINISH : Z_NO_FLUSH;
        do {
            if (png.size() - stream == s.total_out)
                png.resize(png.size() * 2);
            s.next_out = reinterpret_cast<Bytef *>(png.data() + stream + s.total_out);
            s.avail_out = uInt(png.size() - stream - s.total_out);
            status = deflate(&s, flush);
        } while (status == Z_OK && (s.avail_in > 0 || (flush == Z_FINISH && s.avail_out == 0)));
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
            break;
    }
    if (status != Z_STREAM_END)
        throw IconError("the icon cannot be packed as PNG");
    png.resize(stream + s.total_out);
    for (int shift : {24, 16, 8, 0})
        png += char(adler >> shift & 0xff);
    const size_t packed = png.size() - (idat + 8);
    for (int i = 0; i < 4; ++i)
        png[idat + size_t(i)] = char(packed >> (24 - 8 * i) & 0xff);
    const uint32_t crc =
        uint32_t(crc32_z(0, reinterpret_cast<const Bytef *>(png.data() + idat + 4), packed + 4));
    for (int shift : {24, 16, 8, 0})
        png += char(crc >> shift & 0xff);
    appendChunk(png, "IEND", {});
    return png;
}

std::optional<PngHeader> readPngHeader(std::string_view png)
{
    if (png.size() < sizeof Signature || std::memcmp(png.data(), Signature, sizeof Signature) != 0)
        return std::nullopt;
    ChunkReader chunks(png);
    Chunk c;
    PngHeader header;
    if (chunks.next(c) && c.type == "CgBI") {
        header.cgbi = true;
        if (!chunks.next(c))
            return std::nullopt;
    }
    if (c.type != "IHDR" || c.data.size() < 13)
        return std::nullopt;
    header.width = be32(c.data.data());
    header.height = be32(c.data.data() + 4);
    header.bitDepth = uint8_t(c.data[8]);
    header.colourType = uint8_t(c.data[9]);
    header.interlace = uint8_t(c.data[12]);
    return header;
}

std::optional<Image> decodePlainPng(std::string_view png)
{
    const std::optional<PngHeader> header = readPngHeader(png);
    if (!header || header->cgbi)
        throw IconError("not a PNG image");
    const uint8_t type = header->colourType, depth = header->bitDepth;
    // Channels of each colour type: grey, -, RGB, palette, grey and alpha, -, RGBA.
    static constexpr size_t Channels[7] = {1, 0, 3, 1, 2, 0, 4};
    if (type > 6 || Channels[type] == 0)
        throw IconError("PNG: unknown colour type " + std::to_string(type));
    if (header->interlace || !(depth == 8 || (depth == 16 && type != 3)))
        return std::nullopt;
    const size_t sampleBytes = depth / 8, channels = Channels[type], bpp = channels * sampleBytes;

    // The palette, and the transparency chunk: alphas of palette entries, or the one colour
    // (16-bit samples) that stands for transparent in grey and RGB images.
    uint8_t palette[256][4] = {};
    std::string_view transparency;
    bool hasPalette = false;
    ChunkReader chunks(png);
    Chunk c;
    while (chunks.next(c) && c.type != "IDAT") {
        if (c.type == "PLTE") {
            hasPalette = true;
            for (size_t i = 0; i < 256 && i * 3 + 2 < c.data.size(); ++i)
                for (size_t k = 0; k < 4; ++k)
                    palette[i][k] = k < 3 ? uint8_t(c.data[i * 3 + k]) : 255;
        } else if (c.type == "tRNS") {
            transparency = c.data;
        }
    }
    if (type == 3) {
        if (!hasPalette)
            throw IconError("PNG: palette image without a palette");
        for (size_t i = 0; i < 256 && i < transparency.size(); ++i)
            palette[i][3] = uint8_t(transparency[i]);
    }
    const size_t keySamples = type == 0 ? 1 : type == 2 ? 3 : 0;
    const bool keyed = keySamples && transparency.size() >= keySamples * 2;
    unsigned key[3] = {};
    for (size_t i = 0; keyed && i < keySamples; ++i)
        key[i] = unsigned(uint8_t(transparency[i * 2])) << 8 | uint8_t(transparency[i * 2 + 1]);

    Image image = imageOf(*header);
    const uint32_t width = header->width;
    uint8_t *out = image.pixels.data();
    forEachRow(png, *header, bpp, false, [&](const uint8_t *px) {
        if (type == 6 && depth == 8) {
            std::memcpy(out, px, size_t(width) * 4);
            out += size_t(width) * 4;
            return;
        }
        if (type == 3) {
            for (uint32_t x = 0; x < width; ++x, ++px, out += 4)
                std::memcpy(out, palette[*px], 4);
            return;
        }
        // Samples of 16 bits keep their high byte; the key compares all of them.
        auto sample = [&](size_t i) {
            return depth == 8 ? unsigned(px[i]) : unsigned(px[2 * i]) << 8 | px[2 * i + 1];
        };
        for (uint32_t x = 0; x < width; ++x, px += bpp, out += 4) {
            const bool clear = keyed && sample(0) == key[0] &&
                               (keySamples == 1 || (sample(1) == key[1] && sample(2) == key[2]));
            if (channels >= 3) {
                out[0] = px[0], out[1] = px[sampleBytes], out[2] = px[2 * sampleBytes];
                out[3] = channels == 4 ? px[3 * sampleBytes] : clear ? 0 : 255;
            } else {
                out[0] = out[1] = out[2] = px[0];
                out[3] = channels == 2 ? px[sampleBytes] : clear ? 0 : 255;
            }
        }
    });
    // Without alpha every pixel is opaque: straight and premultiplied colour are the same.
    image.premultiplied = (type == 0 || type == 2) ? !keyed : type == 3 && transparency.empty();
    return image;
}

Image decodeCgbiPng(std::string_view png)
{
    const std::optional<PngHeader> header = readPngHeader(png);
    if (!header || !header->cgbi)
        throw IconError("not an Apple PNG");
    if (header->bitDepth != 8 || (header->colourType != 6 && header->colourType != 2) || header->interlace)
        throw IconError("Apple PNG: only 8-bit RGB or RGBA without interlacing is read");
    const size_t bpp = header->colourType == 6 ? 4 : 3;
    Image image = imageOf(*header);
    uint8_t *out = image.pixels.data();
    forEachRow(png, *header, bpp, true, [&](const uint8_t *px) {
        for (uint32_t x = 0; x < header->width; ++x, px += bpp, out += 4) {
            const unsigned a = bpp == 4 ? px[3] : 255;
            const unsigned b = px[0], g = px[1], r = px[2];
            if (a == 0) {
                out[0] = out[1] = out[2] = out[3] = 0;
                continue;
            }
            // Premultiplied: each colour is at most alpha; undo it with rounding.
            auto straight = [a](unsigned v) { return uint8_t(std::min(255u, (v * 255 + a / 2) / a)); };
            out[0] = straight(r);
            out[1] = straight(g);
            out[2] = straight(b);
            out[3] = uint8_t(a);
        }
    });
    return image;
}

} // namespace thumb
