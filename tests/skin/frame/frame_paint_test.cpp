#include "skin/common/draw_primitives.h"
#include "skin/frame/jcforms.h"
#include "support/recording_property_bag.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>
#include <memory>

using namespace skin;

namespace {

QColor rgb(int r, int g, int b)
{
    return QColor(r, g, b);
}

// A window of the program's kind: Style 5, theme 0, no maximise button.
struct FramedWindow
{
    explicit FramedWindow(int w = 320, int h = 200, const QString &title = QStringLiteral("窗口"))
    {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(title);
        window->resize(w, h);
        frame = new jcForms(window.get());
        frame->setFrameStyle(5);
        frame->setThemeColor(0);
    }
    QImage image() { return frame->renderImage(); }
    std::unique_ptr<QWidget> window;
    jcForms *frame;
};

QIcon redIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::red);
    return QIcon(pm);
}

} // namespace

TEST(FramePaintTest, Style5ActiveTitleRows)
{
    FramedWindow fw;
    const int t = fw.frame->titleHeight();
    EXPECT_GE(t, 31);
    const QImage img = fw.image();
    for (int x : {1, 100, 200}) {
        for (int y = 9; y < t; ++y)
            ASSERT_EQ(img.pixelColor(x, y), rgb(19, 97, 156)) << x << "," << y;
        EXPECT_EQ(img.pixelColor(x, 8), rgb(120, 166, 205));
        EXPECT_EQ(img.pixelColor(x, 0), rgb(238, 246, 255));
    }
    // Rows 1..7 run from the light colour towards c2 (116, 143, 166) in twelfths.
    const ColourRef row3 = gradientStep(rgbRef(221, 236, 254), rgbRef(116, 143, 166), 5, 12);
    EXPECT_EQ(fromQColour(img.pixelColor(50, 3)), row3);
}

TEST(FramePaintTest, InactiveColoursAreLightened)
{
    FramedWindow fw;
    fw.frame->setActiveLook(false);
    EXPECT_EQ(fw.frame->darkColour(), rgbRef(79, 137, 181));
    EXPECT_EQ(fw.frame->lightColour(), rgbRef(230, 241, 254));
    const QImage img = fw.image();
    EXPECT_EQ(img.pixelColor(100, 20), rgb(79, 137, 181));

    fw.frame->setActiveLook(true);
    EXPECT_EQ(fw.image().pixelColor(100, 20), rgb(19, 97, 156));
}

TEST(FramePaintTest, BorderOutlinesAndTitleLine)
{
    FramedWindow fw(300, 180);
    const QImage img = fw.image();
    const int t = fw.frame->titleHeight(), sw = 300, sh = 180;
    const QColor dark = rgb(19, 97, 156), darker = rgb(10, 49, 78);
    const int midY = (t + sh) / 2;
    // Left and right: two dark columns, then the darker one.
    EXPECT_EQ(img.pixelColor(0, midY), dark);
    EXPECT_EQ(img.pixelColor(1, midY), dark);
    EXPECT_EQ(img.pixelColor(2, midY), darker);
    EXPECT_EQ(img.pixelColor(sw - 1, midY), dark);
    EXPECT_EQ(img.pixelColor(sw - 2, midY), dark);
    EXPECT_EQ(img.pixelColor(sw - 3, midY), darker);
    // Bottom likewise.
    EXPECT_EQ(img.pixelColor(150, sh - 1), dark);
    EXPECT_EQ(img.pixelColor(150, sh - 2), dark);
    EXPECT_EQ(img.pixelColor(150, sh - 3), darker);
    // Inside the border the background colour.
    const QColor bg = translatedColour(kSysButtonFace);
    EXPECT_EQ(img.pixelColor(150, sh - 4), bg);
    EXPECT_EQ(img.pixelColor(3, midY), bg);
    // The line under the title: dark at the ends, darker between x = 5 and SW - 5.
    EXPECT_EQ(img.pixelColor(1, t), dark);
    EXPECT_EQ(img.pixelColor(150, t), darker);
    // The shadow fades from the darkened background back to the background.
    const QColor shadow1 = img.pixelColor(150, t + 1);
    EXPECT_LT(shadow1.red(), img.pixelColor(150, t + 6).red());
    EXPECT_EQ(img.pixelColor(150, t + 8), bg);

    fw.frame->setTitleBarShadow(false);
    const QImage flat = fw.image();
    EXPECT_EQ(flat.pixelColor(150, t), dark);
    EXPECT_EQ(flat.pixelColor(150, t + 1), darker); // the top edges of the outlines
    EXPECT_EQ(flat.pixelColor(150, t + 2), bg);
}

TEST(FramePaintTest, CaptionButtonLayout)
{
    FramedWindow fw(300, 150);
    const auto &close = fw.frame->captionButton(jcForms::CloseSlot);
    EXPECT_EQ(close.left, 300 - 3 - 21);
    EXPECT_EQ(fw.frame->captionButton(jcForms::MaxSlot).left, 300 - 3 - 42);
    EXPECT_EQ(fw.frame->captionButton(jcForms::MinSlot).left, 300 - 3 - 63);
    EXPECT_EQ(fw.frame->leftmostButton(), int(jcForms::MinSlot));

    fw.frame->setMaxButton(false);
    EXPECT_EQ(fw.frame->captionButton(jcForms::MinSlot).left, 300 - 3 - 42);
    // (31 - 18) / 2 = 6.5 rounds to even: 6, and the buttons sit 2 below that.
    if (fw.frame->titleHeight() == 31) {
        EXPECT_EQ(close.top, 8);
    }

    // The close glyph is drawn in the light colour on the dark title (Style 5, normal).
    const QImage img = fw.image();
    EXPECT_EQ(img.pixelColor(close.left + 6, close.top + 5), rgb(221, 236, 254));
    EXPECT_EQ(img.pixelColor(close.left + 9, close.top + 8), rgb(221, 236, 254));
    EXPECT_EQ(img.pixelColor(close.left + 9, close.top + 2), rgb(19, 97, 156));
}

TEST(FramePaintTest, CaptionTrimmedToTheSpaceLeftOfTheButtons)
{
    QFont font;
    font.setBold(true);
    const QFontMetrics fm(font);
    EXPECT_EQ(TrimWord("abc", 1000, fm), "abc");
    const QString trimmed = TrimWord("一个很长很长的窗口标题文字", fm.horizontalAdvance("一个很...") + 1, fm);
    EXPECT_EQ(trimmed, "一个很...");
    EXPECT_EQ(TrimWord("标题", 2, fm), "");
    // Characters outside the basic plane are dropped whole, at any width.
    const QString emoji = QString::fromUtf8("ab\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80");
    for (int w = 0; w < fm.horizontalAdvance(emoji); ++w) {
        const QString cut = TrimWord(emoji, w, fm);
        if (!cut.isEmpty()) {
            EXPECT_FALSE(cut.chopped(3).back().isHighSurrogate()) << w;
        }
    }

    FramedWindow fw(200, 120, QStringLiteral("一个非常非常非常非常非常非常长的窗口标题"));
    QImage img = fw.image();
    // Nothing of the caption reaches the caption buttons: the column left of the
    // leftmost button is plain title background.
    const int bl = fw.frame->captionButton(fw.frame->leftmostButton()).left;
    for (int y = 9; y < fw.frame->titleHeight(); ++y)
        EXPECT_EQ(img.pixelColor(bl - 11, y), rgb(19, 97, 156)) << y;
    // Some caption pixels in the light colour exist left of it.
    int light = 0;
    for (int x = 9; x < bl - 12; ++x)
        for (int y = 9; y < fw.frame->titleHeight(); ++y)
            light += img.pixelColor(x, y) != rgb(19, 97, 156);
    EXPECT_GT(light, 20);
}

TEST(FramePaintTest, IconIsCachedAndMovesTheCaption)
{
    FramedWindow fw(260, 120, QString());
    EXPECT_EQ(fw.frame->cachedWidth(), 0);
    fw.window->setWindowIcon(redIcon());
    EXPECT_EQ(fw.frame->cachedWidth(), 259);
    const QImage img = fw.image();
    const int t = fw.frame->titleHeight();
    // (31 - 16) / 2 + 2 = 9.5 rounds to even.
    const int iconTop = t == 31 ? 10 : (t - 16) / 2 + 2;
    EXPECT_EQ(img.pixelColor(9, iconTop), rgb(255, 0, 0));
    EXPECT_EQ(img.pixelColor(24, iconTop + 15), rgb(255, 0, 0));
    EXPECT_NE(img.pixelColor(25, iconTop + 8), rgb(255, 0, 0));
    EXPECT_NE(img.pixelColor(12, iconTop - 1), rgb(255, 0, 0));

    // The window grows: the part beyond the cache is painted afresh and joins it.
    fw.window->resize(400, 120);
    const QImage wide = fw.image();
    EXPECT_EQ(wide.pixelColor(300, 20), rgb(19, 97, 156));
    EXPECT_EQ(wide.pixelColor(300, 8), rgb(120, 166, 205));
}

TEST(FramePaintTest, EveryStyleAndThemePaints)
{
    FramedWindow fw(240, 120);
    for (int style = 0; style <= 5; ++style) {
        fw.frame->setFrameStyle(style);
        EXPECT_EQ(fw.frame->titleHeight(), style == 1 ? 41 : 31) << style;
        for (int theme = 0; theme <= 6; ++theme) {
            fw.frame->setThemeColor(theme);
            const QImage img = fw.image();
            // The border is the theme's dark colour in every style.
            EXPECT_EQ(fromQColour(img.pixelColor(0, 80)), fw.frame->darkColour()) << style << "/" << theme;
        }
    }
    // Theme 6 has no desktop theme to follow here and looks like theme 0.
    fw.frame->setThemeColor(6);
    EXPECT_EQ(fw.frame->darkColour(), rgbRef(19, 97, 156));
    fw.frame->setColorFrom(rgbRef(1, 2, 3));
    fw.frame->setThemeColor(5);
    EXPECT_EQ(fw.frame->darkColour(), rgbRef(1, 2, 3));
}

TEST(FramePaintTest, TitleHeightFollowsTheWindowFont)
{
    FramedWindow fw;
    QFont big = fw.window->font();
    big.setPixelSize(40);
    fw.window->setFont(big);
    QFont bold = big;
    bold.setBold(true);
    EXPECT_EQ(fw.frame->titleHeight(), QFontMetrics(bold).height() + 10);
    EXPECT_GT(fw.frame->captionButton(jcForms::CloseSlot).top, 8);
    // The icon sets a lower bound.
    fw.window->setFont(QFont());
    fw.frame->setIconSize(48);
    EXPECT_EQ(fw.frame->titleHeight(), 63);
}

TEST(FrameThemeTest, DesktopSchemeNames)
{
    ColourRef dark = 1, light = 2;
    GetGradientColor("Metallic", true, dark, light);
    EXPECT_EQ(dark, rgbRef(95, 95, 111));
    GetGradientColor("SomethingElse", true, dark, light);
    EXPECT_EQ(dark, rgbRef(95, 95, 111)); // unchanged
    GetGradientColor("Metallic", false, dark, light);
    EXPECT_EQ(dark, rgbRef(19, 97, 156));
}

TEST(FramePropertiesTest, ReadDefaultsAndWriteOnlyDifferences)
{
    QWidget window;
    jcForms fresh(&window);
    PropertyBag written;
    fresh.writeProperties(written);
    // A new frame differs from the read defaults only in its theme.
    EXPECT_EQ(written.values().keys(), QStringList{"ThemeColor"});
    EXPECT_EQ(written.values().value("ThemeColor").toInt(), 0);

    RecordingPropertyBag design(QVariantMap{{"MaxButton", false}, {"WindowState", 2}, {"Style", 5}});
    QWidget other;
    jcForms read(&other, design);
    EXPECT_EQ(read.ThemeColor(), 6);
    EXPECT_EQ(read.Style(), 5);
    EXPECT_EQ(read.WindowState(), 0); // forced to normal without a maximise button
    EXPECT_EQ(read.CustomBackColor(), kSysButtonFace);
    EXPECT_EQ(design.readLog(),
              (QStringList{"WindowState", "ColorFrom", "ColorTo", "ThemeColor", "BackColorStyle",
                           "BorderStyle", "CloseButton", "MaxButton", "MinButton", "CustomBackColor", "Style",
                           "IconSize", "ChangeAllBackgrounds", "TitleBarShadow"}));

    read.setBackColorStyle(2);
    read.setCustomBackColor(rgbRef(255, 255, 255));
    EXPECT_EQ(read.backgroundColour(), rgbRef(255, 255, 255));
    EXPECT_EQ(read.renderImage().pixelColor(100, 100), rgb(255, 255, 255));
    // A system colour that cannot be translated falls back to the button face.
    read.setCustomBackColor(sysColour(120));
    EXPECT_EQ(read.backgroundColour(), translateColour(kSysButtonFace));
}
