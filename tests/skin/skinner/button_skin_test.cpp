// Skinned push buttons: the four state images, the disabled text colour and the fade.
#include "skinner_test_support.h"

#include "skin/skinner/button_skin.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPushButton>

using namespace skin;
using namespace skintest;

namespace {

const QColor kBorder[4] = {rgb(112, 151, 189), rgb(84, 165, 213), rgb(19, 97, 156), rgb(173, 186, 196)};

void enter(QWidget *w)
{
    QEnterEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), w->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w, &e);
}

void mouse(QWidget *w, QEvent::Type type)
{
    const QPointF at(10, 10);
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

int stepsToTheEnd(ButtonSkin *b)
{
    int steps = 0;
    while (b->isFading() && steps < 1000) {
        b->fadeStep();
        ++steps;
    }
    return steps;
}

class SkinnedButton : public SkinnerTest
{
protected:
    void SetUp() override
    {
        SkinnerTest::SetUp();
        button = add(QRect(20, 20, 90, 26), new QPushButton(QStringLiteral("HHH确定")));
        showWindow();
        ASSERT_TRUE(MSkinner::start(window.get()));
        skinned = MSkinner::buttonSkin(button);
        ASSERT_NE(skinned, nullptr);
    }
    QPushButton *button = nullptr;
    ButtonSkin *skinned = nullptr;
};

} // namespace

TEST_F(SkinnedButton, EachStateImageHasItsFaceAndTheButtonShowsIt)
{
    for (int s = ButtonSkin::Normal; s <= ButtonSkin::Disabled; ++s) {
        const QImage img = skinned->stateImage(ButtonSkin::State(s));
        ASSERT_EQ(img.size(), button->size());
        EXPECT_EQ(img.pixelColor(0, 13), kBorder[s]) << s;
        EXPECT_EQ(img.pixelColor(89, 13), kBorder[s]) << s;
        EXPECT_EQ(img.pixelColor(45, 0), kBorder[s]) << s;
        for (int t = 0; t < s; ++t)
            EXPECT_NE(img, skinned->stateImage(ButtonSkin::State(t))) << s << t;
    }
    // What is on the screen is the normal image, clipped to its rounded corners.
    const QImage onScreen = shot(button);
    EXPECT_EQ(onScreen.pixelColor(0, 13), kBorder[0]);
    EXPECT_EQ(onScreen.pixelColor(45, 3), skinned->stateImage(ButtonSkin::Normal).pixelColor(45, 3));
    EXPECT_FALSE(button->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(button->mask().contains(QPoint(1, 1)));
}

TEST_F(SkinnedButton, TextIsDrawnInTheDisabledColourOnlyWhenDisabled)
{
    const QColor disabledText = rgb(121, 138, 150);
    const QRect all = button->rect();
    EXPECT_GT(countColour(skinned->stateImage(ButtonSkin::Disabled), all, disabledText), 4);
    EXPECT_EQ(countColour(skinned->stateImage(ButtonSkin::Normal), all, disabledText), 0);
    EXPECT_GT(countColour(skinned->stateImage(ButtonSkin::Normal), all, rgb(21, 43, 71)), 4);

    // A caption too long for the button ends in "...": the text stays inside (2, 2)-(w-2, h-2).
    button->setText(QStringLiteral("一个非常非常非常非常长的按钮标题"));
    shot(button); // paints the images again for the new text
    const QImage img = skinned->stateImage(ButtonSkin::Normal);
    for (int y = 2; y < 24; ++y)
        EXPECT_NE(img.pixelColor(88, y), rgb(21, 43, 71)) << y;
}

TEST_F(SkinnedButton, FadeReachesFullStrengthOnItsEightySixthStepAndStops)
{
    enter(button);
    EXPECT_EQ(skinned->state(), ButtonSkin::Hot);
    EXPECT_TRUE(skinned->isFading());
    EXPECT_EQ(skinned->alpha(), 0);
    for (int i = 0; i < 85; ++i)
        skinned->fadeStep();
    EXPECT_TRUE(skinned->isFading());
    EXPECT_EQ(skinned->alpha(), 255);
    EXPECT_NE(skinned->shownImage(), skinned->stateImage(ButtonSkin::Hot));
    skinned->fadeStep();
    EXPECT_FALSE(skinned->isFading());
    EXPECT_EQ(skinned->alpha(), 0);
    EXPECT_EQ(skinned->shownImage(), skinned->stateImage(ButtonSkin::Hot));
    EXPECT_EQ(shot(button).pixelColor(0, 13), kBorder[ButtonSkin::Hot]);
}

TEST_F(SkinnedButton, QuickPressAndReleaseRestartFromTheNewState)
{
    enter(button);
    for (int i = 0; i < 10; ++i)
        skinned->fadeStep();
    mouse(button, QEvent::MouseButtonPress);
    EXPECT_EQ(skinned->state(), ButtonSkin::Pressed);
    EXPECT_FALSE(skinned->isFading());
    EXPECT_EQ(skinned->shownImage(), skinned->stateImage(ButtonSkin::Pressed));

    mouse(button, QEvent::MouseButtonRelease);
    EXPECT_EQ(skinned->state(), ButtonSkin::Normal);
    EXPECT_TRUE(skinned->isFading());
    EXPECT_EQ(skinned->alpha(), 60);
    EXPECT_EQ(stepsToTheEnd(skinned), 66); // 60 + 3 * 65 = 255, the last step at full strength
    EXPECT_EQ(skinned->shownImage(), skinned->stateImage(ButtonSkin::Normal));

    // Leaving starts from the hot look and fades back to normal.
    enter(button);
    stepsToTheEnd(skinned);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(skinned->state(), ButtonSkin::Normal);
    EXPECT_EQ(skinned->shownImage(), skinned->stateImage(ButtonSkin::Hot));
    EXPECT_TRUE(skinned->isFading());
    EXPECT_EQ(stepsToTheEnd(skinned), 86);
    EXPECT_EQ(skinned->shownImage(), skinned->stateImage(ButtonSkin::Normal));
}

TEST_F(SkinnedButton, DisablingShowsTheDisabledImageAndEnablingFadesBack)
{
    enter(button); // a fade under way is dropped
    button->setEnabled(false);
    EXPECT_EQ(skinned->state(), ButtonSkin::Disabled);
    EXPECT_FALSE(skinned->isFading());
    EXPECT_EQ(skinned->shownImage(), skinned->stateImage(ButtonSkin::Disabled));
    EXPECT_EQ(shot(button).pixelColor(0, 13), kBorder[ButtonSkin::Disabled]);
    // A disabled button ignores the pointer.
    enter(button);
    EXPECT_EQ(skinned->state(), ButtonSkin::Disabled);

    button->setEnabled(true);
    EXPECT_EQ(skinned->state(), ButtonSkin::Normal);
    EXPECT_TRUE(skinned->isFading());
    EXPECT_EQ(stepsToTheEnd(skinned), 86);
    EXPECT_EQ(shot(button).pixelColor(0, 13), kBorder[ButtonSkin::Normal]);
}

TEST_F(SkinnedButton, ResizingPaintsTheImagesForTheNewSize)
{
    button->resize(140, 30);
    const QImage onScreen = shot(button);
    EXPECT_EQ(skinned->stateImage(ButtonSkin::Normal).size(), QSize(140, 30));
    EXPECT_EQ(onScreen.pixelColor(139, 15), kBorder[ButtonSkin::Normal]);
    EXPECT_FALSE(button->mask().contains(QPoint(139, 29)));
    EXPECT_TRUE(button->mask().contains(QPoint(138, 28)));
}

TEST(ButtonSkinStartsDisabled, ADisabledButtonStartsOnItsDisabledImage)
{
    ASSERT_EQ(MSkinner::skinnedCount(), 0);
    QWidget window;
    auto *button = new QPushButton(QStringLiteral("确定"), &window);
    button->setEnabled(false);
    MSkinner::start(&window);
    ASSERT_NE(MSkinner::buttonSkin(button), nullptr);
    EXPECT_EQ(MSkinner::buttonSkin(button)->state(), ButtonSkin::Disabled);
}
