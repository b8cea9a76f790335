// PNG icons written as they are: what is copied decodes to the source's pixels, and any damage
// sends the icon through the decoder (a fresh PNG, or a refusal) instead. And hand-built PNGs
// for the decoder's row filters.
#include "adler32.h"
#include "found_icon.h"
#include "icon_error.h"
#include "image_decode.h"
#include "png_pass_through.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <zlib.h>

using namespace thumb;

namespace {

std::string chunk(const char *type, const std::string &data)
{
    std::string out;
    for (uint32_t v : {uint32_t(data.size())})
        for (int shift : {24, 16, 8, 0})
            out += char(v >> shift & 0xff);
    const std::string body = type + data;
    out += body;
    const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef *>(body.data()), uInt(body.size())));
    for (int shift : {24, 16, 8, 0})
        out += char(crc >> shift & 0xff);
    return out;
}

std::string be32(uint32_t v)
{
    std::string out;
    for (int shift : {24, 16, 8, 0})
        out += char(v >> shift & 0xff);
    return out;
}

std::string deflated(const std::string &raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(raw.data()),
             uLong(raw.size()));
    out.resize(size);
    return out;
}

// An 8-bit PNG of the colour type put together by hand from its filtered rows, already deflated.
std::string pngOf(uint32_t width, uint32_t height, char colourType, const std::string &idat,
                  bool interlaced = false)
{
    return std::string("\x89PNG\r\n\x1a\n", 8) +
           chunk("IHDR", be32(width) + be32(height) + '\x08' + colourType + std::string("\x00\x00", 2) +
                             char(interlaced ? 1 : 0)) +
           chunk("IDAT", idat) + chunk("IEND", "");
}

std::string rgbaPng(uint32_t width, uint32_t height, const std::string &idat, bool interlaced = false)
{
    return pngOf(width, height, 6, idat, interlaced);
}

uint8_t sample(uint32_t x, uint32_t y, int c)
{
    return uint8_t(x * 37 + y * 11 + uint32_t(c) * 70);
}

// The rows of a width x height picture, each after filter byte `filter` (0: none), one pass or
// Adam7's seven.
std::string rawRows(uint32_t width, uint32_t height, bool interlaced, char filter = 0)
{
    static constexpr uint32_t X0[7] = {0, 4, 0, 2, 0, 1, 0}, Y0[7] = {0, 0, 4, 0, 2, 0, 1};
    static constexpr uint32_t DX[7] = {8, 8, 4, 4, 2, 2, 1}, DY[7] = {8, 8, 8, 4, 4, 2, 2};
    std::string raw;
    for (int pass = 0; pass < (interlaced ? 7 : 1); ++pass) {
        const uint32_t x0 = interlaced ? X0[pass] : 0, y0 = interlaced ? Y0[pass] : 0;
        const uint32_t dx = interlaced ? DX[pass] : 1, dy = interlaced ? DY[pass] : 1;
        if (x0 >= width)
            continue;
        for (uint32_t y = y0; y < height; y += dy) {
            raw += filter;
            for (uint32_t x = x0; x < width; x += dx)
                for (int c = 0; c < 4; ++c)
                    raw += char(sample(x, y, c));
        }
    }
    return raw;
}

std::string encoded(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setText(QStringLiteral("Comment"), QStringLiteral("left out"));
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes.toStdString();
}

QImage decoded(const std::string &png)
{
    return QImage::fromData(QByteArray::fromStdString(png)).convertToFormat(QImage::Format_ARGB32);
}

QImage pattern()
{
    QImage image(29, 17, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 9 % 256, y * 13 % 256, (x * y) % 256, x == 2 ? 0 : 100 + x * 5));
    return image;
}

std::string thumbnailOf(const std::string &png, int size)
{
    FoundIcon icon;
    icon.bitmap =
        std::make_unique<aapt::MemorySource>(reinterpret_cast<const uint8_t *>(png.data()), png.size());
    return iconPng(std::move(icon), size);
}

// The bytes with the first IDAT chunk's checksum wrong.
std::string withIdatCrcWrong(std::string png)
{
    const size_t type = png.find("IDAT");
    const auto *length = reinterpret_cast<const uint8_t *>(png.data() + type - 4);
    png[type + 4 +
        (size_t(length[0]) << 24 | size_t(length[1]) << 16 | size_t(length[2]) << 8 | length[3])] ^= 1;
    return png;
}

} // namespace

TEST(PngPassThrough, CopiesTheImageChunksOfEveryKindOfSoundPng)
{
    for (const QImage::Format format :
         {QImage::Format_ARGB32, QImage::Format_RGB32, QImage::Format_Indexed8, QImage::Format_Grayscale8,
          QImage::Format_RGBA64, QImage::Format_Mono}) {
        SCOPED_TRACE(int(format));
        const QImage source = pattern().convertToFormat(format);
        const std::string png = encoded(source);
        ASSERT_NE(png.find("tEXt"), std::string::npos);
        const std::optional<std::string> copied = passThroughPng(png, 29);
        ASSERT_TRUE(copied);
        EXPECT_EQ(copied->find("tEXt"), std::string::npos) << "only the image chunks are kept";
        EXPECT_EQ(decoded(*copied), decoded(png));
        EXPECT_EQ(thumbnailOf(png, 64), *copied);
        // Larger than asked: scaled, so packed anew.
        EXPECT_FALSE(passThroughPng(png, 28));
        EXPECT_EQ(decoded(thumbnailOf(png, 20)).width(), 20);
    }
    // Interlaced, and split over IDAT chunks of any size, even empty ones.
    const std::string interlaced = rgbaPng(13, 10, deflated(rawRows(13, 10, true)), true);
    const std::string plain = rgbaPng(13, 10, deflated(rawRows(13, 10, false)));
    ASSERT_FALSE(decoded(interlaced).isNull());
    EXPECT_EQ(decoded(interlaced), decoded(plain));
    EXPECT_TRUE(passThroughPng(interlaced, 13));
    const std::string idat = deflated(rawRows(13, 10, false));
    const std::string split = std::string("\x89PNG\r\n\x1a\n", 8) + plain.substr(8, 25) +
                              chunk("IDAT", idat.substr(0, 7)) + chunk("IDAT", "") +
                              chunk("IDAT", idat.substr(7)) + chunk("IEND", "");
    ASSERT_TRUE(passThroughPng(split, 13));
    EXPECT_EQ(decoded(*passThroughPng(split, 13)), decoded(plain));
}

TEST(PngPassThrough, DamageIsNeverCopied)
{
    const std::string raw = rawRows(13, 10, false);
    const std::string sound = rgbaPng(13, 10, deflated(raw));
    ASSERT_TRUE(passThroughPng(sound, 13));
    std::string badAdler = deflated(raw);
    badAdler.back() ^= 1;
    std::string trailing = deflated(raw) + "x";
    const std::string cases[] = {
        withIdatCrcWrong(sound),                                  // checksum of the chunk
        rgbaPng(13, 10, deflated(raw).substr(0, 40)),             // stream cut short
        rgbaPng(13, 10, deflated(raw.substr(0, raw.size() - 5))), // rows short
        rgbaPng(13, 9, deflated(raw)),                            // rows beyond the image
        rgbaPng(13, 10, deflated(rawRows(13, 10, false, 5))),     // unknown filter
        rgbaPng(13, 10, badAdler),                                // checksum of the stream
        rgbaPng(13, 10, trailing),                                // data after the stream
        rgbaPng(13, 10, deflated(raw), true),                     // not laid out as interlaced
        rgbaPng(0, 10, deflated(raw)),
        sound.substr(0, sound.size() - 12), // no IEND
        std::string("\x89PNG\r\n\x1a\n", 8) + chunk("CgBI", "\x50\x00\x20\x06") + sound.substr(8),
        sound.substr(0, 33) + chunk("PLTE", "abcd") + sound.substr(33), // a palette of 4 bytes
        sound.substr(0, 33) + chunk("ABCD", "") + sound.substr(33),     // unknown critical chunk
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_FALSE(passThroughPng(cases[i], 64)) << "case " << i;
    // A palette image without its palette.
    std::string palette = encoded(pattern().convertToFormat(QImage::Format_Indexed8));
    const size_t plte = palette.find("PLTE") - 4;
    palette.erase(plte, 12 + (size_t(uint8_t(palette[plte + 2])) << 8 | uint8_t(palette[plte + 3])));
    EXPECT_FALSE(passThroughPng(palette, 64));

    // Through the thumbnail: a wrong checksum alone is packed anew from the pixels; a stream
    // cut short or an unknown filter is refused.
    const std::string fresh = thumbnailOf(withIdatCrcWrong(encoded(pattern())), 64);
    EXPECT_EQ(decoded(fresh).size(), pattern().size());
    EXPECT_TRUE(passThroughPng(fresh, 64)) << "the fresh one is sound";
    EXPECT_THROW(thumbnailOf(cases[1], 64), IconError);
    EXPECT_THROW(thumbnailOf(cases[4], 64), IconError);
}

TEST(PngRows, EveryRowFilterIsUndoneAsLibpngUndoesIt)
{
    // Random bytes under each filter in turn (any bytes are sound filtered data), RGBA and RGB,
    // one pixel wide and more: decoded here and by Qt's libpng to the same pixels.
    std::mt19937 random(7);
    for (const char colourType : {'\x06', '\x02'})
        for (const uint32_t width : {1u, 2u, 37u}) {
            SCOPED_TRACE(std::to_string(int(colourType)) + ", " + std::to_string(width) + " wide");
            const uint32_t height = 15, rowBytes = width * (colourType == 6 ? 4 : 3);
            std::string raw;
            for (uint32_t y = 0; y < height; ++y) {
                raw += char(y % 5);
                for (uint32_t i = 0; i < rowBytes; ++i)
                    raw += char(random() & 0xff);
            }
            const std::string png = pngOf(width, height, colourType, deflated(raw));
            const Image ours = decodeImage(png);
            const QImage theirs =
                QImage::fromData(QByteArray::fromStdString(png)).convertToFormat(QImage::Format_RGBA8888);
            ASSERT_EQ(ours.width, theirs.width());
            ASSERT_EQ(ours.height, theirs.height());
            for (int y = 0; y < ours.height; ++y)
                ASSERT_EQ(std::memcmp(ours.row(y), theirs.constScanLine(y), size_t(ours.width) * 4), 0)
                    << "row " << y;
        }
}

TEST(Adler32, AgreesWithZlibAcrossItsBlocksAndInPieces)
{
    std::string bytes(20000, '\xff');
    for (size_t i = 0; i < bytes.size(); i += 7)
        bytes[i] = char(i * 31);
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.data());
    for (const size_t n : {size_t(0), size_t(1), size_t(5552), size_t(5553), size_t(20000)}) {
        const uint32_t expected = uint32_t(adler32(1, data, uInt(n)));
        EXPECT_EQ(adler32Of(1, data, n), expected) << n;
        EXPECT_EQ(adler32Of(adler32Of(1, data, n / 3), data + n / 3, n - n / 3), expected) << n;
    }
}
