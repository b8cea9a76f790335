// What the multistyle button paints: the faces the program's windows use, pixel by pixel,
// and the drawing helpers under them.
#include "skin/button/jcbutton.h"
#include "skin/common/draw_helpers.h"

#include <QPainter>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace skin;

namespace {

constexpr QRgb kBehind = 0xFF10A010; // the window behind the button

ColourRef at(const QImage &image, int x, int y)
{
    const QRgb v = image.pixel(x, y);
    return rgbRef(qRed(v), qGreen(v), qBlue(v));
}

ColourRef behind()
{
    return rgbRef(qRed(kBehind), qGreen(kBehind), qBlue(kBehind));
}

class JcButtonPaint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(300, 120);
        button = new jcbutton(window.get());
        button->setGeometry(10, 10, W, H);
        button->setCaption(QString()); // keep the face free of text
        window->show();
    }

    QImage look() const { return button->render(QColor::fromRgb(kBehind)); }
    void press() { QTest::mousePress(button, Qt::LeftButton, {}, QPoint(W / 2, H / 2)); }
    void hover() { QTest::mouseMove(button, QPoint(W / 2, H / 2)); }

    static constexpr int W = 100;
    static constexpr int H = 30;
    std::unique_ptr<QWidget> window;
    jcbutton *button = nullptr;
};

TEST_F(JcButtonPaint, Style5ShadowAndPressedFace)
{
    button->setButtonStyle(jcbutton::ShadowStyle);
    const ColourRef base = 0xAA6D00, rim = shiftColour(base, 0.3);
    QImage img = look();
    // Three outlines to the lower right, darkest next to the face.
    EXPECT_EQ(at(img, W - 4, H / 2), 0x808080);
    EXPECT_EQ(at(img, W - 3, H / 2), 0xA0A0A0);
    EXPECT_EQ(at(img, W - 2, H / 2), 0xC0C0C0);
    EXPECT_EQ(at(img, W / 2, H - 4), 0x808080);
    EXPECT_EQ(at(img, W / 2, H - 2), 0xC0C0C0);
    EXPECT_EQ(at(img, W - 1, H / 2), behind());
    EXPECT_EQ(at(img, 2, H - 2), behind());
    EXPECT_EQ(at(img, 0, 0), rim);
    EXPECT_EQ(at(img, W - 5, H / 2), rim);
    EXPECT_EQ(at(img, W / 2, H / 2), base);

    press();
    img = look();
    EXPECT_EQ(at(img, W - 4, H / 2), base);
    EXPECT_EQ(at(img, W - 2, H / 2), base);
    EXPECT_EQ(at(img, W - 1, H / 2), rim);
    EXPECT_EQ(at(img, W / 2, H - 1), rim);
    EXPECT_EQ(at(img, 3, 3), rim);
    EXPECT_EQ(at(img, 2, H / 2), behind());
    EXPECT_EQ(at(img, W / 2, 2), behind());

    button->setEnabled(false);
    EXPECT_EQ(at(look(), W / 2, H / 2), shiftColour(base, 0.1));
}

TEST_F(JcButtonPaint, Style5FocusRectangleFollowsTheFace)
{
    button->setButtonStyle(jcbutton::ShadowStyle);
    const ColourRef base = 0xAA6D00;
    const ColourRef inverted = rgbRef(255 - refRed(base), 255 - refGreen(base), 255 - refBlue(base));
    button->setFocus();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QImage img = look();
    // Dots on every other pixel of the rectangle (3, 3)-(W - 6, H - 6).
    EXPECT_EQ(at(img, 3, 3), inverted);
    EXPECT_EQ(at(img, 4, 3), base);
    EXPECT_EQ(at(img, 2, 2), base);

    button->setShowFocusRect(false);
    EXPECT_EQ(at(look(), 3, 3), base);
}

TEST_F(JcButtonPaint, Style3HotGradientAndOutline)
{
    button->setButtonStyle(jcbutton::InfoStyle);
    EXPECT_EQ(at(look(), W / 2, H / 2), translateColour(kSysButtonFace));

    hover();
    ASSERT_EQ(button->drawState(), jcbutton::StateHot);
    const QImage img = look();
    EXPECT_EQ(at(img, 0, H / 2), 0xC3CECE);
    EXPECT_EQ(at(img, W / 2, 0), 0xC3CECE);
    EXPECT_EQ(at(img, W / 2, H - 1), 0xC3CECE);
    EXPECT_EQ(at(img, W - 2, H / 2), 0xE0E7EA);
    EXPECT_EQ(at(img, W - 3, H / 2), 0xEAF0F0);
    EXPECT_EQ(at(img, W / 2, H - 4), 0xE5EDEE);
    EXPECT_EQ(at(img, W / 2, H - 3), 0xD6E1E4);
    EXPECT_EQ(at(img, W / 2, H - 2), 0xC6D2D7);
    // The two halves meet in the same colour.
    EXPECT_EQ(at(img, W / 2, H / 2 - 1), 0xEEF4F4);
    EXPECT_EQ(at(img, W / 2, H / 2), 0xEEF4F4);
    // Top row of the upper half would be its first colour; the next row is one step on.
    EXPECT_NE(at(img, W / 2, 1), 0xEEF4F4);
    EXPECT_EQ(at(img, 1, 1), shiftColour(0xC9D4D4, -0.05));
    // The rounded outline cuts the corners.
    EXPECT_EQ(at(img, 0, 0), behind());

    press();
    const QImage down = look();
    EXPECT_EQ(at(down, 0, H / 2), 0x929D9D);
    EXPECT_EQ(at(down, W / 2, H / 2), 0xDDE4E5);
}

TEST_F(JcButtonPaint, Style1RaisedAndSunkenEdges)
{
    button->setButtonStyle(jcbutton::StandardStyle);
    const ColourRef face = translateColour(kSysButtonFace);
    const ColourRef light = translateColour(sysColour(20)), shadow = translateColour(sysColour(16));
    ASSERT_NE(light, shadow);
    QImage img = look();
    EXPECT_EQ(at(img, W / 2, 0), light);
    EXPECT_EQ(at(img, 0, H / 2), light);
    EXPECT_EQ(at(img, W / 2, H - 1), shadow);
    EXPECT_EQ(at(img, W - 1, H / 2), shadow);
    EXPECT_EQ(at(img, W - 1, 0), shadow); // the dark line owns the corner
    EXPECT_EQ(at(img, 1, 1), face);       // only one pixel wide

    press();
    img = look();
    const ColourRef grey = translateColour(kSysGrayText);
    EXPECT_EQ(at(img, W / 2, 0), grey);
    EXPECT_EQ(at(img, 0, H / 2), grey);
    EXPECT_EQ(at(img, W / 2, H - 1), 0xFFFFFF);
    EXPECT_EQ(at(img, W - 1, H / 2), 0xFFFFFF);
    EXPECT_EQ(at(img, 1, 1), face);
}

TEST_F(JcButtonPaint, DisabledAndDefaultLooksOfTheClassicStyles)
{
    const EdgeColours edges = EdgeColours::fromPalette();
    button->setButtonStyle(jcbutton::StandardStyle);
    button->setEnabled(false);
    press(); // ignored
    QImage img = look();
    EXPECT_EQ(at(img, W / 2, H - 1), edges.darkShadow);
    EXPECT_EQ(at(img, W / 2, H - 2), edges.shadow);
    EXPECT_EQ(at(img, W / 2, 0), edges.light3d);

    // Style 0 as the default button of an active window: black outline, raised edge inside.
    button->setEnabled(true);
    button->setButtonStyle(jcbutton::ClassicStyle);
    button->setDefault(true);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    img = look();
    EXPECT_EQ(at(img, 0, H / 2), 0x000000);
    EXPECT_EQ(at(img, W - 1, H / 2), 0x000000);
    EXPECT_EQ(at(img, W / 2, 1), edges.highlight);
    button->setDefault(false);
    button->clearFocus();
    EXPECT_EQ(at(look(), 0, H / 2), edges.light3d);
}

TEST_F(JcButtonPaint, CaptionMovesWithThePress)
{
    button->setButtonStyle(jcbutton::StandardStyle);
    button->setCaption(QStringLiteral("重命名"));
    const QImage up = look();
    press();
    const QImage down = look();
    // The caption's ink, found in the middle band, moves one pixel right and down.
    auto inkBox = [](const QImage &img) {
        QRect box;
        for (int y = 3; y < H - 3; ++y)
            for (int x = 3; x < W - 3; ++x)
                if (qGray(img.pixel(x, y)) < 100)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    const QRect a = inkBox(up), b = inkBox(down);
    ASSERT_FALSE(a.isEmpty());
    EXPECT_EQ(b.topLeft(), a.topLeft() + QPoint(1, 1));
}

TEST_F(JcButtonPaint, PictureBesideTheCaptionWithMaskAndHover)
{
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    red.setPixel(0, 0, qRgb(0xE0, 0xE0, 0xE0)); // the default mask colour
    QImage blue(16, 16, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    button->setPicture(QPixmap::fromImage(red));
    button->setPictureHover(QPixmap::fromImage(blue));
    button->setPictureAlign(jcbutton::PictureLeftEdge);

    QImage img = look();
    EXPECT_EQ(at(img, 4 + 8, H / 2), rgbRef(255, 0, 0));
    EXPECT_EQ(at(img, 4, 7), rgbRef(0xE0, 0xE0, 0xE0));
    button->setUseMaskColor(true);
    EXPECT_EQ(at(look(), 4, 7), translateColour(kSysButtonFace));

    hover();
    EXPECT_EQ(at(look(), 4 + 8, H / 2), rgbRef(0, 0, 255));

    // Too big for the button: it shrinks to fit inside.
    button->setPictureSize(3);
    button->resize(W, 20);
    img = look();
    EXPECT_NE(at(img, W / 2 - 1, 10), rgbRef(0, 0, 255));
    EXPECT_EQ(at(img, 4 + 2, 10), rgbRef(0, 0, 255));
}

TEST_F(JcButtonPaint, PictureLayoutsKeepTheirGaps)
{
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    button->setPicture(QPixmap::fromImage(red));
    button->resize(W, 40);
    const ColourRef r = rgbRef(255, 0, 0);
    auto redBox = [&] {
        const QImage img = look();
        QRect box;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (at(img, x, y) == r)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    button->setPictureAlign(jcbutton::PictureLeftEdge);
    EXPECT_EQ(redBox(), QRect(4, 15, 10, 10));
    button->setPictureAlign(jcbutton::PictureRightEdge);
    EXPECT_EQ(redBox(), QRect(W - 14, 15, 10, 10));
    button->setPictureAlign(jcbutton::PictureBehindCaption);
    EXPECT_EQ(redBox(), QRect(45, 15, 10, 10));
    // Without a caption the picture of a group stands alone in the middle.
    button->setPictureAlign(jcbutton::PictureTopOfCaption);
    EXPECT_EQ(redBox(), QRect(45, 15, 10, 10));
    button->setCaption(QStringLiteral("确定"));
    const QRect top = redBox();
    EXPECT_LT(top.top(), 15);
    EXPECT_EQ(top.left(), 45);
}

TEST_F(JcButtonPaint, RoundedStylesClipTheirWindow)
{
    button->setButtonStyle(jcbutton::GlossyStyle);
    EXPECT_FALSE(button->mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(button->mask().contains(QPoint(2, 2)));
    EXPECT_TRUE(button->mask().contains(QPoint(W / 2, 0)));
    button->setButtonStyle(jcbutton::ShadowStyle);
    EXPECT_TRUE(button->mask().isEmpty());
}

// ---------------------------------------------------------------------------------------

TEST(JcButtonDraw, ShiftColorRoundsAndClamps)
{
    EXPECT_EQ(shiftColour(rgbRef(100, 250, 3), 0.3), rgbRef(176, 255, 80));
    EXPECT_EQ(shiftColour(rgbRef(100, 250, 3), -0.05), rgbRef(87, 237, 0));
    EXPECT_EQ(shiftColour(0xD4D4D4, 0.06), 0xE3E3E3);
    EXPECT_EQ(shiftColour(kColourInvalid, 0.3), kColourInvalid);
}

TEST(JcButtonDraw, GradientRunsFromFirstColourToLast)
{
    QImage img(5, 4, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        drawButtonGradient(p, rgbRef(0, 0, 0), rgbRef(200, 100, 40), 0, 0, 5, 4, GradientDirection::Vertical);
    }
    EXPECT_EQ(at(img, 2, 0), rgbRef(0, 0, 0));
    EXPECT_EQ(at(img, 2, 3), rgbRef(200, 100, 40));
    EXPECT_EQ(at(img, 4, 1), rgbRef(67, 33, 13));
    {
        QPainter p(&img);
        drawButtonGradient(p, rgbRef(0, 0, 0), rgbRef(90, 90, 90), 0, 0, 5, 4, GradientDirection::Diagonal);
    }
    EXPECT_EQ(at(img, 0, 0), rgbRef(0, 0, 0));
    EXPECT_EQ(at(img, 4, 3), rgbRef(90, 90, 90));
    EXPECT_EQ(at(img, 1, 2), at(img, 3, 0));
}

TEST(JcButtonDraw, RoundedCornersAndFocusDots)
{
    const QRegion small = roundRectRegion(10, 8, 3, 3);
    EXPECT_FALSE(small.contains(QPoint(0, 0)));
    EXPECT_TRUE(small.contains(QPoint(1, 0)));
    EXPECT_TRUE(small.contains(QPoint(0, 1)));
    EXPECT_FALSE(small.contains(QPoint(9, 7)));
    const QRegion wider = roundRectRegion(10, 8, 4, 4);
    EXPECT_FALSE(wider.contains(QPoint(1, 0)));
    EXPECT_TRUE(wider.contains(QPoint(1, 1)));
    EXPECT_EQ(roundRectRegion(10, 8, 0, 0), QRegion(0, 0, 10, 8));

    QImage img(12, 10, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(10, 20, 30));
    const QImage before = img;
    drawFocusRectXor(img, 2, 2, 10, 8);
    EXPECT_EQ(at(img, 2, 2), rgbRef(245, 235, 225));
    EXPECT_EQ(at(img, 3, 2), rgbRef(10, 20, 30));
    EXPECT_EQ(at(img, 5, 5), rgbRef(10, 20, 30));
    drawFocusRectXor(img, 2, 2, 10, 8);
    EXPECT_EQ(img, before);
}

} // namespace
