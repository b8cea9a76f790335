#include "skin/common/colour_ref.h"
#include "skin/common/draw_primitives.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace skin;

namespace {

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

ColourRef at(const QImage &img, int x, int y)
{
    return fromQColour(img.pixelColor(x, y));
}

} // namespace
TEST(DrawPrimitivesTest, BlendRoundsToNearestEven)
{
    // Theme 0's dark colour darkened by half: 19*128/255 = 9.537 -> 10, 97 -> 48.69 -> 49.
    EXPECT_EQ(BlendColor(rgbRef(19, 97, 156), 0, 128), rgbRef(10, 49, 78));
    EXPECT_EQ(BlendColor(rgbRef(221, 236, 254), rgbRef(10, 49, 78), 128), rgbRef(116, 143, 166));
    EXPECT_EQ(BlendColor(rgbRef(19, 97, 156), rgbRef(255, 255, 255), 190), rgbRef(79, 137, 181));
    // 255 * 0.5 exactly between: (128*1 + 127*0)/255 is not a tie; a real tie is 2.5 -> 2.
    EXPECT_EQ(roundEven(2.5), 2);
    EXPECT_EQ(roundEven(3.5), 4);
    EXPECT_EQ(gradientStep(rgbRef(0, 0, 0), rgbRef(255, 10, 5), 1, 2), rgbRef(128, 5, 2));
}

TEST(DrawPrimitivesTest, LinesLeaveOutTheirEndPoint)
{
    QImage img = canvas(10, 10);
    QPainter p(&img);
    APILineEx(p, 1, 1, 5, 1, 0xFFFFFF);
    APILineEx(p, 8, 8, 4, 4, 0x0000FF);
    ApiRectangle(p, 1, 5, 2, 2, 0x00FF00);
    p.end();
    EXPECT_EQ(at(img, 1, 1), 0xFFFFFF);
    EXPECT_EQ(at(img, 4, 1), 0xFFFFFF);
    EXPECT_EQ(at(img, 5, 1), 0);
    EXPECT_EQ(at(img, 8, 8), 0x0000FF);
    EXPECT_EQ(at(img, 5, 5), 0x0000FF);
    EXPECT_EQ(at(img, 4, 4), 0);
    // The rectangle's outline closes: all four corners are painted, the inside is not.
    for (auto [x, y] : {std::pair{1, 5}, {3, 5}, {3, 7}, {1, 7}})
        EXPECT_EQ(at(img, x, y), 0x00FF00) << x << "," << y;
    EXPECT_EQ(at(img, 2, 6), 0);
}

TEST(DrawPrimitivesTest, GradientsSkipTheirFirstAndLastStep)
{
    QImage img = canvas(4, 12);
    QPainter p(&img);
    const ColourRef white = rgbRef(255, 255, 255);
    DrawLinearGradient(p, 0, white, 0, 0, 4, 0, 4, true);
    p.end();
    EXPECT_EQ(at(img, 0, 0), 0);
    EXPECT_EQ(at(img, 0, 1), gradientStep(0, white, 1, 4));
    EXPECT_EQ(at(img, 3, 3), gradientStep(0, white, 3, 4));
    EXPECT_EQ(at(img, 0, 4), 0);

    // A cylinder with a large ratio rises over its first part and falls back over the rest.
    QImage cyl = canvas(3, 40);
    QPainter q(&cyl);
    DrawGradientInRectangle(q, 0, white, 0, 0, 3, 40, 2, false, 0, 5.01);
    q.end();
    const int peak = refRed(at(cyl, 1, 8));
    EXPECT_GT(peak, refRed(at(cyl, 1, 2)));
    EXPECT_GT(peak, refRed(at(cyl, 1, 30)));
    EXPECT_GT(refRed(at(cyl, 1, 20)), refRed(at(cyl, 1, 35)));
}
