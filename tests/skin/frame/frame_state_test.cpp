// The frame on a shown window: caption buttons that follow the title height, the caption's
// text rectangle, and the window state the frame keeps.
#include "skin/common/property_bag.h"
#include "skin/frame/jcforms.h"

#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace skin;

namespace {

class ShownFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("主窗口"));
        window->resize(360, 220);
        frame = new jcForms(window.get());
        frame->setFrameStyle(5);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // The top the buttons must have for the current title height (Style 1 sits 3 lower).
    int expectedTop(int style) const
    {
        const double half = (frame->titleHeight() - 18) / 2.0;
        const int offset = int(std::nearbyint(half)) + (style == 1 ? 3 : 0);
        return offset + 2;
    }
    std::unique_ptr<QWidget> window;
    jcForms *frame;
};

} // namespace

TEST_F(ShownFrame, CaptionButtonsMoveWithStyleAndIconSize)
{
    const int before = frame->captionButton(jcForms::CloseSlot).top;
    frame->setFrameStyle(1); // ten pixels more title
    EXPECT_EQ(frame->captionButton(jcForms::CloseSlot).top, expectedTop(1));
    EXPECT_NE(frame->captionButton(jcForms::CloseSlot).top, before);
    EXPECT_EQ(frame->captionButton(jcForms::MinSlot).top, expectedTop(1));

    frame->setFrameStyle(5);
    frame->setIconSize(48); // the icon now sets the title height
    ASSERT_EQ(frame->titleHeight(), 48 + 15);
    EXPECT_EQ(frame->captionButton(jcForms::CloseSlot).top, expectedTop(5));

    // And the painted glyph is where the record says: the close cross in the light colour.
    const QImage img = frame->renderImage();
    const auto &close = frame->captionButton(jcForms::CloseSlot);
    EXPECT_EQ(img.pixelColor(close.left + 9, close.top + 8), qColour(frame->lightColour()));
}

TEST_F(ShownFrame, CaptionTextRectangleEndsBeforeTheButtonsGap)
{
    const int bl = frame->captionButton(frame->leftmostButton()).left;
    const QRect text = frame->captionTextRect();
    EXPECT_EQ(text.left(), 9);
    EXPECT_EQ(text.width(), bl - 12 - 9);
    EXPECT_EQ(text.right(), bl - 13);
    EXPECT_EQ(text.top(), 4);
    EXPECT_EQ(text.bottom(), frame->titleHeight() - 1);

    // A caption exactly one pixel wider than the room is shortened, not drawn whole.
    QFont bold = window->font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    const QString caption = QStringLiteral("窗口标题窗口标题");
    EXPECT_NE(TrimWord(caption, fm.horizontalAdvance(caption) - 1, fm), caption);
    EXPECT_EQ(TrimWord(caption, fm.horizontalAdvance(caption), fm), caption);
}

TEST_F(ShownFrame, MinimisingThroughTheFrameIsKept)
{
    frame->setFrameWindowState(jcForms::MinimisedState);
    EXPECT_EQ(frame->WindowState(), jcForms::MinimisedState);
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);
    PropertyBag bag;
    frame->writeProperties(bag);
    EXPECT_EQ(bag.values().value(QStringLiteral("WindowState")).toInt(), 1);

    frame->setFrameWindowState(jcForms::NormalState);
    EXPECT_EQ(frame->WindowState(), jcForms::NormalState);
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);

    // Restored by the window system rather than the frame: normal again as well.
    frame->setFrameWindowState(jcForms::MinimisedState);
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    EXPECT_EQ(frame->WindowState(), jcForms::NormalState);
}

TEST(FrameStateProperties, NumbersThatNameNoStateReadAsNormal)
{
    QWidget window;
    jcForms frame(&window, PropertyBag(QVariantMap{{"WindowState", 7}}));
    EXPECT_EQ(frame.WindowState(), jcForms::NormalState);
}
