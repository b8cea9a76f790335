#include "cgbi_png.h"

#include "icon_limits.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <zlib.h>

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

uint8_t paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return uint8_t(a);
    return uint8_t(pb <= pc ? b : c);
}

// Reverses the per-row filters in place; rows are 1 filter byte and rowBytes of pixels.
void unfilter(std::vector<uint8_t> &data, size_t rowBytes, uint32_t height, size_t bpp)
{
    const uint8_t *previous = nullptr;
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t *row = data.data() + size_t(y) * (rowBytes + 1);
        const uint8_t filter = row[0];
        uint8_t *px = row + 1;
        for (size_t i = 0; i < rowBytes; ++i) {
            const int left = i >= bpp ? px[i - bpp] : 0;
            const int up = previous ? previous[i] : 0;
            const int upLeft = previous && i >= bpp ? previous[i - bpp] : 0;
            switch (filter) {
            case 0:
                break;
            case 1:
                px[i] = uint8_t(px[i] + left);
                break;
            case 2:
                px[i] = uint8_t(px[i] + up);
                break;
            case 3:
                px[i] = uint8_t(px[i] + (left + up) / 2);
                break;
            case 4:
                px[i] = uint8_t(px[i] + paeth(left, up, upLeft));
                break;
            default:
                throw IconError("Apple PNG: unknown row filter " + std::to_string(filter));
            }
        }
        previous = px;
    }
}

// Inflates exactly `expected` bytes of raw deflate data; anything more or less is damage.
std::vector<uint8_t> inflateRaw(const std::string &packed, size_t expected)
{
    std::vector<uint8_t> out(expected + 1);
    z_stream s{};
    if (inflateInit2(&s, -MAX_WBITS) != Z_OK)
        throw IconError("Apple PNG: cannot inflate");
    s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.data()));
    s.avail_in = uInt(packed.size());
    s.next_out = out.data();
    s.avail_out = uInt(out.size());
    int status;
    do
        status = inflate(&s, Z_NO_FLUSH);
    while (status == Z_OK && s.avail_out > 0 && s.avail_in > 0);
    const size_t produced = s.total_out;
    inflateEnd(&s);
    // Some tools end the data without the final block marker; the pixels are all there.
    if (produced != expected || (status != Z_STREAM_END && status != Z_OK && status != Z_BUF_ERROR))
        throw IconError("Apple PNG: image data damaged or of the wrong size");
    out.resize(expected);
    return out;
}

void appendChunk(std::string &png, const char *type, const std::string &data)
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

} // namespace

std::string encodePng(uint32_t width, uint32_t height, const uint8_t *rgba, size_t stride)
{
    std::string header;
    for (uint32_t v : {width, height})
        for (int shift : {24, 16, 8, 0})
            header += char(v >> shift & 0xff);
    header += std::string("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no filter, no interlace
    std::string rows;
    rows.reserve((size_t(width) * 4 + 1) * height);
    for (uint32_t y = 0; y < height; ++y) {
        rows += '\0';
        rows.append(reinterpret_cast<const char *>(rgba + size_t(y) * stride), size_t(width) * 4);
    }
    uLongf packedSize = compressBound(uLong(rows.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef *>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef *>(rows.data()), uLong(rows.size()), Z_BEST_SPEED) != Z_OK)
        throw IconError("the icon cannot be packed as PNG");
    packed.resize(packedSize);
    std::string png(reinterpret_cast<const char *>(Signature), sizeof Signature);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", packed);
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

RgbaImage decodeCgbiPng(std::string_view png)
{
    const std::optional<PngHeader> header = readPngHeader(png);
    if (!header || !header->cgbi)
        throw IconError("not an Apple PNG");
    if (header->bitDepth != 8 || (header->colourType != 6 && header->colourType != 2) || header->interlace)
        throw IconError("Apple PNG: only 8-bit RGB or RGBA without interlacing is read");
    if (header->width == 0 || header->height == 0 || header->width > uint32_t(MaxImageSide) ||
        header->height > uint32_t(MaxImageSide))
        throw IconError("Apple PNG: implausible size " + std::to_string(header->width) + "x" +
                        std::to_string(header->height));
    const size_t bpp = header->colourType == 6 ? 4 : 3;
    const size_t rowBytes = size_t(header->width) * bpp;
    const size_t expected = (rowBytes + 1) * header->height;
    if (uint64_t(header->width) * header->height * 4 > MaxImageBytes)
        throw IconError("Apple PNG: the image would take more than 64 MiB");

    std::string packed;
    ChunkReader chunks(png);
    Chunk c;
    bool ended = false;
    while (chunks.next(c)) {
        if (c.type == "IDAT") {
            if (packed.size() + c.data.size() > MaxImageBytes)
                throw IconError("Apple PNG: image data beyond 64 MiB");
            packed.append(c.data);
        } else if (c.type == "IEND") {
            ended = true;
            break;
        }
    }
    if (packed.empty())
        throw IconError("Apple PNG: no image data");
    (void)ended; // a file cut after its image data still has all its pixels
    std::vector<uint8_t> data = inflateRaw(packed, expected);
    unfilter(data, rowBytes, header->height, bpp);

    RgbaImage image;
    image.width = header->width;
    image.height = header->height;
    image.pixels.resize(size_t(header->width) * header->height * 4);
    uint8_t *out = image.pixels.data();
    for (uint32_t y = 0; y < header->height; ++y) {
        const uint8_t *px = data.data() + size_t(y) * (rowBytes + 1) + 1;
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
    }
    return image;
}

} // namespace thumb
