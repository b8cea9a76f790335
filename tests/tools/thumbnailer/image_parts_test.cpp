// The pixel work without a package: PNGs of every kind and JPEGs decoded as Qt decodes them,
// scaling on premultiplied colour, and the rasterizer's coverage, fill rules and strokes.
#include "image_decode.h"
#include "path.h"
#include "png_codec.h"
#include "rasterize.h"
#include "resample.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

using namespace thumb;

namespace {

std::string encoded(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes.toStdString();
}

// Colours and alpha that change along both axes, so that the writer picks every row filter.
QImage pattern(QImage::Format format)
{
    QImage image(37, 23, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           qRgba(x * 7 % 256, y * 11 % 256, (x * y) % 256, x == 3 ? 0 : 128 + x * 3 % 128));
    return image.convertToFormat(format);
}

QRgb pixelOf(const Image &image, int x, int y)
{
    const uint8_t *p = image.row(y) + size_t(x) * 4;
    return qRgba(p[0], p[1], p[2], p[3]);
}

Image solid(int width, int height, uint32_t argb)
{
    Image image = blankImage(width, height);
    fillImage(image, argb);
    return image;
}

// Coverage of each pixel of a width x height canvas.
std::vector<float> coverageOf(const std::vector<Polyline> &polygons, FillRule rule, int width, int height)
{
    std::vector<float> out(size_t(width) * size_t(height), 0.0f);
    rasterize(polygons, rule, width, height, [&](int y, int x0, int x1, const float *coverage) {
        std::copy(coverage, coverage + (x1 - x0), out.begin() + y * width + x0);
    });
    return out;
}

Polyline square(double x, double y, double side, bool clockwise = true)
{
    Polyline p{{{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}}, true};
    if (!clockwise)
        std::reverse(p.points.begin(), p.points.end());
    return p;
}

} // namespace

TEST(ImageDecode, EveryKindOfPngReadsAsQtReadsIt)
{
    // Grey, RGB, RGBA, a palette with transparent entries, 16 bits a channel, and one bit a
    // pixel (left to libpng).
    for (const QImage::Format format :
         {QImage::Format_Grayscale8, QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_Indexed8,
          QImage::Format_RGBA64, QImage::Format_Grayscale16, QImage::Format_Mono}) {
        SCOPED_TRACE(int(format));
        QImage source = pattern(QImage::Format_ARGB32);
        if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono)
            source = source.convertToFormat(format, Qt::ThresholdDither | Qt::AvoidDither);
        else
            source = source.convertToFormat(format);
        const std::string png = encoded(source, "png");
        const QImage expected =
            QImage::fromData(QByteArray::fromStdString(png)).convertToFormat(QImage::Format_ARGB32);
        const Image decoded = decodeImage(png);
        ASSERT_EQ(decoded.width, expected.width());
        ASSERT_EQ(decoded.height, expected.height());
        // Straight colour, or opaque, where both forms are one.
        for (size_t i = 3; decoded.premultiplied && i < decoded.pixels.size(); i += 4)
            ASSERT_EQ(decoded.pixels[i], 255);
        int worst = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x) {
                const QRgb a = expected.pixel(x, y), b = pixelOf(decoded, x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            }
        EXPECT_LE(worst, 1) << "16-bit samples may round either way";
        const std::optional<ImageSize> size = imageSize(png);
        ASSERT_TRUE(size);
        EXPECT_EQ(size->width, 37);
        EXPECT_EQ(size->height, 23);
    }
}

TEST(ImageDecode, JpegAndDamagedImages)
{
    const std::string jpeg = encoded(QImage(40, 30, QImage::Format_RGB32), "jpeg", 95);
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    const Image decoded = decodeImage(encoded(red, "jpeg", 95));
    ASSERT_EQ(decoded.width, 40);
    ASSERT_EQ(decoded.height, 30);
    const QRgb centre = pixelOf(decoded, 20, 15);
    EXPECT_GE(qRed(centre), 250);
    EXPECT_LE(qGreen(centre), 5);
    EXPECT_EQ(qAlpha(centre), 255);
    ASSERT_TRUE(imageSize(jpeg));
    EXPECT_EQ(imageSize(jpeg)->width, 40);

    const std::string png = encoded(pattern(QImage::Format_ARGB32), "png");
    for (const std::string &damaged : {png.substr(0, png.size() / 2), jpeg.substr(0, 200),
                                       std::string("RIFF\0\0\0\0WEBPVP8 ", 16), std::string("GIF89a")})
        EXPECT_THROW(decodeImage(damaged), IconError);
    // Rows that run on past the image are damage too.
    std::string longer = png;
    longer.replace(16, 8, std::string("\0\0\0\x25\0\0\0\x16", 8)); // 37 x 22 declared
    EXPECT_THROW(decodeImage(longer), IconError);
}

TEST(Resample, AveragesPremultipliedAndKeepsSolidColoursExact)
{
    // Four 2 x 2 blocks made half as large: each block's colour, exactly.
    Image blocks = blankImage(4, 4);
    const uint32_t colours[4] = {0xffff0000, 0xff00ff00, 0xff0000ff, 0x80ffffff};
    for (int i = 0; i < 4; ++i) {
        Image block = solid(2, 2, colours[i]);
        drawScaled(blocks, block, {double(i % 2 * 2), double(i / 2 * 2), 2, 2});
    }
    Image half = fitted(blocks, 2);
    unpremultiply(half);
    EXPECT_EQ(pixelOf(half, 0, 0), qRgba(255, 0, 0, 255));
    EXPECT_EQ(pixelOf(half, 1, 0), qRgba(0, 255, 0, 255));
    EXPECT_EQ(pixelOf(half, 0, 1), qRgba(0, 0, 255, 255));
    EXPECT_EQ(pixelOf(half, 1, 1), qRgba(255, 255, 255, 128));

    // Red beside transparent black averages to half-transparent red, not to a dark red.
    Image edge = blankImage(2, 1);
    drawScaled(edge, solid(1, 1, 0xffff0000), {0, 0, 1, 1});
    Image one = fitted(edge, 1);
    unpremultiply(one);
    EXPECT_EQ(pixelOf(one, 0, 0), qRgba(255, 0, 0, 128));

    // Larger: a solid colour stays exact; never larger than asked or than the source.
    Image large = blankImage(50, 50);
    drawScaled(large, solid(3, 3, 0xff102030), {0, 0, 50, 50});
    EXPECT_EQ(pixelOf(large, 25, 25), qRgba(0x10, 0x20, 0x30, 255));
    EXPECT_EQ(fitted(solid(10, 4, 0xff000000), 5).height, 2);
    EXPECT_EQ(fitted(solid(10, 4, 0xff000000), 20).width, 10);
    // An area with a fractional edge covers that pixel partly.
    Image partial = blankImage(4, 1);
    drawScaled(partial, solid(1, 1, 0xffffffff), {0, 0, 2.5, 1});
    EXPECT_EQ(partial.pixels[4 * 2 + 3], 128);
    EXPECT_EQ(partial.pixels[4 * 3 + 3], 0);
}

TEST(Rasterize, CoversPixelsByTheirShareAndTheFillRule)
{
    // A square from 1.5 to 4.5: whole pixels inside, halves along its edges, quarters at corners.
    const std::vector<float> c = coverageOf({square(1.5, 1.5, 3)}, FillRule::NonZero, 6, 6);
    EXPECT_FLOAT_EQ(c[2 * 6 + 2], 1.0f);
    EXPECT_NEAR(c[2 * 6 + 1], 0.5f, 0.01f);
    EXPECT_NEAR(c[1 * 6 + 1], 0.25f, 0.01f);
    EXPECT_FLOAT_EQ(c[0], 0.0f);

    // A square inside another: filled when both turn the same way under the non-zero rule, a hole
    // when they turn opposite ways or under the even-odd rule.
    const auto centre = [](const std::vector<Polyline> &p, FillRule rule) {
        return coverageOf(p, rule, 10, 10)[5 * 10 + 5];
    };
    EXPECT_FLOAT_EQ(centre({square(0, 0, 10), square(3, 3, 4)}, FillRule::NonZero), 1.0f);
    EXPECT_FLOAT_EQ(centre({square(0, 0, 10), square(3, 3, 4, false)}, FillRule::NonZero), 0.0f);
    EXPECT_FLOAT_EQ(centre({square(0, 0, 10), square(3, 3, 4)}, FillRule::EvenOdd), 0.0f);
    // Shapes outside the canvas or not finite leave it untouched.
    EXPECT_FLOAT_EQ(coverageOf({square(-20, -20, 5), square(1e300, 0, 1e300)}, FillRule::NonZero, 4, 4)[5],
                    0.0f);
}

TEST(Rasterize, StrokesAreAsWideAsAskedWithMitredCorners)
{
    // An open L from (1, 5) to (8, 5) to (8, 9), 2 wide.
    const Polyline line{{{1, 5}, {8, 5}, {8, 9}}, false};
    const std::vector<float> c = coverageOf(strokeOutline({line}, 2), FillRule::NonZero, 10, 10);
    EXPECT_FLOAT_EQ(c[4 * 10 + 4], 1.0f);
    EXPECT_FLOAT_EQ(c[5 * 10 + 4], 1.0f);
    EXPECT_FLOAT_EQ(c[3 * 10 + 4], 0.0f);
    EXPECT_FLOAT_EQ(c[4 * 10 + 0], 0.0f) << "ends are cut at the end points";
    EXPECT_FLOAT_EQ(c[4 * 10 + 8], 1.0f) << "the outer corner is mitred";
    EXPECT_FLOAT_EQ(c[7 * 10 + 7], 1.0f);
    // Overlapping pieces of one stroke do not cancel each other.
    const Polyline back{{{1, 2}, {8, 2}, {1, 2.5}}, false};
    EXPECT_FLOAT_EQ(coverageOf(strokeOutline({back}, 2), FillRule::NonZero, 10, 10)[2 * 10 + 3], 1.0f);
}
