// Behaviour of the multistyle button: clicks, check mode, keys, pointer tracking, activation
// and its stored properties.
#include "skin/button/jcbutton.h"
#include "skin/common/property_bag.h"
#include "support/recording_property_bag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace skin;

namespace {

class JcButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(320, 200);
        button = new jcbutton(window.get());
        button->setGeometry(20, 20, 100, 30);
        other = new jcbutton(window.get());
        other->setGeometry(20, 80, 100, 30);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        button->setFocus();
    }

    QPoint centre() const { return QPoint(50, 15); }

    std::unique_ptr<QWidget> window;
    jcbutton *button = nullptr;
    jcbutton *other = nullptr;
};

TEST_F(JcButtonTest, ClickOnlyWhenReleasedStrictlyInside)
{
    QSignalSpy clicks(button, &jcbutton::Click);

    QTest::mouseClick(button, Qt::LeftButton, {}, centre());
    EXPECT_EQ(clicks.count(), 1);

    // Held, dragged off and released outside.
    QSignalSpy leaves(button, &jcbutton::MouseLeave);
    QTest::mouseMove(button, centre());
    QTest::mousePress(button, Qt::LeftButton, {}, centre());
    EXPECT_EQ(button->drawState(), jcbutton::StatePressed);
    QTest::mouseMove(button, QPoint(50, 120));
    EXPECT_EQ(button->drawState(), jcbutton::StateNormal);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(50, 120));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(leaves.count(), 1);

    // The very edges are outside.
    for (const QPoint edge : {QPoint(0, 15), QPoint(100, 15), QPoint(50, 0), QPoint(50, 30)}) {
        QTest::mousePress(button, Qt::LeftButton, {}, centre());
        QTest::mouseRelease(button, Qt::LeftButton, {}, edge);
    }
    EXPECT_EQ(clicks.count(), 1);

    QTest::mousePress(button, Qt::LeftButton, {}, centre());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(JcButtonTest, ClickCarriesTheArrayIndexAndDoubleClickClicksTwice)
{
    button->setIndex(3);
    QSignalSpy clicks(button, &jcbutton::Click);
    QSignalSpy doubles(button, &jcbutton::DblClick);
    // press, release (click), double click (a second press), release (click)
    QTest::mouseClick(button, Qt::LeftButton, {}, centre());
    EXPECT_EQ(clicks.count(), 1);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(centre()), button->mapToGlobal(QPointF(centre())),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &dbl);
    EXPECT_EQ(button->drawState(), jcbutton::StatePressed);
    QTest::mouseRelease(button, Qt::LeftButton, {}, centre());
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 3);
}

TEST_F(JcButtonTest, CheckModeFlipsValueAndStaysDrawnPressed)
{
    button->setCheckBoxMode(true);
    button->setCaption(QString());
    const QImage raised = button->render(Qt::white);

    QTest::mouseClick(button, Qt::LeftButton, {}, centre());
    EXPECT_TRUE(button->Value());
    // Away from the button it keeps the pressed look while checked.
    QTest::mouseMove(button, QPoint(50, 120));
    const QImage checked = button->render(Qt::white);
    EXPECT_NE(checked, raised);
    EXPECT_EQ(QColor(checked.pixel(50, 0)), translatedColour(kSysGrayText));

    QTest::mouseClick(button, Qt::LeftButton, {}, centre());
    EXPECT_FALSE(button->Value());
    QTest::mouseMove(button, QPoint(50, 120));
    EXPECT_EQ(button->render(Qt::white), raised);
}

TEST_F(JcButtonTest, StylesWithTheirOwnCheckedLookAreNotDrawnPressed)
{
    for (jcbutton::Style style : {jcbutton::ClassicStyle, jcbutton::InfoStyle, jcbutton::ToolButtonStyle}) {
        button->setButtonStyle(style);
        button->setCaption(QString());
        button->setCheckBoxMode(false);
        button->setValue(false);
        QTest::mousePress(button, Qt::LeftButton, {}, centre());
        const QImage pressed = button->render(Qt::white);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(0, 0));
        QTest::mouseMove(button, QPoint(50, 120));

        button->setCheckBoxMode(true);
        button->setValue(true);
        EXPECT_NE(button->render(Qt::white), pressed) << "style " << style;
    }
}

TEST_F(JcButtonTest, SpaceDownThenUpClicksOnce)
{
    QSignalSpy clicks(button, &jcbutton::Click);
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_EQ(button->drawState(), jcbutton::StatePressed);
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->drawState(), jcbutton::StateNormal);

    // A release without its press (the press went to another window) is no click.
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);

    // Enter clicks at once.
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(JcButtonTest, HeldSpaceFlipsACheckButtonOnce)
{
    button->setCheckBoxMode(true);
    QSignalSpy clicks(button, &jcbutton::Click);
    QTest::keyPress(button, Qt::Key_Space);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(button, &repeat);
    QApplication::sendEvent(button, &repeat);
    EXPECT_TRUE(button->Value());
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_TRUE(button->Value());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(JcButtonTest, ArrowsMoveTheFocusAndKeysAreReported)
{
    QSignalSpy downs(button, &jcbutton::KeyDown);
    QSignalSpy ups(button, &jcbutton::KeyUp);
    QTest::keyClick(button, Qt::Key_Down);
    EXPECT_TRUE(other->hasFocus());
    QTest::keyClick(other, Qt::Key_Up);
    EXPECT_TRUE(button->hasFocus());
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(1).toInt(), int(Qt::Key_Down));
}

TEST_F(JcButtonTest, AccessKeyOfTheCaptionClicks)
{
    button->setCaption(QStringLiteral("确定(&O)"));
    QSignalSpy clicks(button, &jcbutton::Click);
    QTest::keyClick(window.get(), Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(JcButtonTest, PointerTrackingRaisesEnterAndLeaveOncePerCrossing)
{
    QSignalSpy enters(button, &jcbutton::MouseEnter);
    QSignalSpy leaves(button, &jcbutton::MouseLeave);
    QSignalSpy moves(button, &jcbutton::MouseMove);
    QTest::mouseMove(window.get(), QPoint(300, 190));
    QTest::mouseMove(button, QPoint(10, 10));
    QTest::mouseMove(button, QPoint(20, 12));
    EXPECT_EQ(enters.count(), 1);
    EXPECT_TRUE(button->isPointerInside());
    EXPECT_EQ(button->drawState(), jcbutton::StateHot);
    ASSERT_GE(moves.count(), 1);
    EXPECT_EQ(moves.last().at(3).toInt(), 20);

    QTest::mouseMove(window.get(), QPoint(300, 190));
    EXPECT_EQ(leaves.count(), 1);
    EXPECT_FALSE(button->isPointerInside());
    EXPECT_EQ(button->drawState(), jcbutton::StateNormal);
}

TEST_F(JcButtonTest, DeactivatingTheWindowDropsAHeldButton)
{
    QSignalSpy clicks(button, &jcbutton::Click);
    QTest::mousePress(button, Qt::LeftButton, {}, centre());
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(window.get(), &deactivate);
    EXPECT_FALSE(button->isContainerActive());
    EXPECT_EQ(button->drawState(), jcbutton::StateNormal);
    QTest::mouseRelease(button, Qt::LeftButton, {}, centre());
    EXPECT_EQ(clicks.count(), 0);

    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activate);
    EXPECT_TRUE(button->isContainerActive());
}

TEST_F(JcButtonTest, AClickThatDeletesTheButtonIsSafe)
{
    QObject::connect(button, &jcbutton::Click, button, [this] { delete button; });
    QPointer<jcbutton> watch(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, centre());
    EXPECT_TRUE(watch.isNull());
}

TEST_F(JcButtonTest, NeverSmallerThan220Twips)
{
    button->resize(3, 4);
    EXPECT_GE(button->width(), 15);
    EXPECT_GE(button->height(), 15);
}

// ---------------------------------------------------------------------------------------

TEST(JcButtonProperties, ChangingTheStyleResetsItsColours)
{
    jcbutton b;
    b.setBackColor(0x123456);
    b.setForeColor(0x654321);
    b.setShowFocusRect(false);
    b.setButtonStyle(jcbutton::ShadowStyle);
    EXPECT_EQ(b.BackColor(), 0xAA6D00);
    EXPECT_EQ(b.ForeColor(), 0xFFFFFF);
    EXPECT_TRUE(b.ShowFocusRect());
    b.setButtonStyle(jcbutton::ToolbarStyle);
    EXPECT_EQ(b.BackColor(), 0xFFD1AD);
    EXPECT_EQ(b.ForeColor(), 0x8B4215);
    EXPECT_FALSE(b.ShowFocusRect());
    b.setButtonStyle(jcbutton::SoftStyle);
    EXPECT_EQ(b.BackColor(), 0xE3E3E3);
    EXPECT_EQ(b.ForeColor(), kSysButtonText);
}

TEST(JcButtonProperties, ReadingEmptyDataGivesTheReadDefaults)
{
    QWidget holder;
    jcbutton b(&holder);
    RecordingPropertyBag bag;
    b.readProperties(bag);
    EXPECT_EQ(b.Caption(), QStringLiteral("jcbutton"));
    EXPECT_EQ(b.ButtonStyle(), 1);
    EXPECT_FALSE(b.ShowFocusRect());
    EXPECT_EQ(b.BackColor(), kSysButtonFace);
    EXPECT_EQ(b.ForeColor(), kSysButtonText);
    EXPECT_EQ(b.MaskColor(), 0xE0E0E0);
    EXPECT_EQ(b.PictureAlign(), 1);
    EXPECT_EQ(b.CaptionAlign(), 1);
    EXPECT_TRUE(b.isEnabled());
    EXPECT_EQ(bag.readLog(),
              QStringList({"ButtonStyle", "ShowFocusRect", "Font", "BackColor", "Enabled", "Caption", "Value",
                           "MousePointer", "HandPointer", "MouseIcon", "Picture", "PictureHover",
                           "PictureSize", "MaskColor", "UseMaskCOlor", "CheckBoxMode", "PictureAlign",
                           "CaptionAlign", "ForeColor"}));
}

TEST(JcButtonProperties, StoredColoursWinOverTheStyleDefaults)
{
    QWidget holder;
    jcbutton b(&holder);
    PropertyBag bag(QVariantMap{{"ButtonStyle", 5}, {"BackColor", 0x9C6113}, {"ShowFocusRect", true}});
    b.readProperties(bag);
    EXPECT_EQ(b.ButtonStyle(), 5);
    EXPECT_EQ(b.BackColor(), 0x9C6113);
    // Not stored, so the read default applies after the style's.
    EXPECT_EQ(b.ForeColor(), kSysButtonText);
}

TEST(JcButtonProperties, WritesOnlyWhatDiffersAndReadsItBack)
{
    QWidget holder;
    jcbutton b(&holder);
    b.initProperties(QStringLiteral("jcbutton1"));
    EXPECT_EQ(b.ButtonStyle(), 0);
    EXPECT_TRUE(b.ShowFocusRect());
    EXPECT_EQ(b.Caption(), QStringLiteral("jcbutton1"));
    EXPECT_EQ(b.font().family(), QStringLiteral("Tahoma"));

    PropertyBag bag;
    b.writeProperties(bag);
    EXPECT_FALSE(bag.contains("Caption"));
    EXPECT_EQ(bag.values().value("ButtonStyle").toInt(), 0);
    EXPECT_FALSE(bag.contains("BackColor")); // style 0's face is the read default
    EXPECT_FALSE(bag.contains("Picture"));

    b.setCaption(QStringLiteral("退出"));
    b.setUseMaskColor(true);
    b.setCheckBoxMode(true);
    b.setValue(true);
    b.setButtonStyle(jcbutton::ShadowStyle);
    b.setPicture(QPixmap(8, 8));
    bag.clear();
    b.writeProperties(bag);
    EXPECT_TRUE(bag.contains("UseMaskCOlor"));
    EXPECT_EQ(bag.values().value("BackColor").toInt(), 0xAA6D00);

    jcbutton copy(&holder);
    copy.readProperties(bag);
    EXPECT_EQ(copy.Caption(), QStringLiteral("退出"));
    EXPECT_EQ(copy.ButtonStyle(), 5);
    EXPECT_EQ(copy.BackColor(), 0xAA6D00);
    EXPECT_EQ(copy.ForeColor(), 0xFFFFFF);
    EXPECT_TRUE(copy.ShowFocusRect());
    EXPECT_TRUE(copy.UseMaskColor());
    EXPECT_TRUE(copy.Value());
    EXPECT_EQ(copy.Picture().size(), QSize(8, 8));
    EXPECT_EQ(copy.font().family(), QStringLiteral("Tahoma"));
}

} // namespace
