#include "skin/frame/jcforms.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace skin;

namespace {

// Records the drags the frame would hand to the window system.
class DragCountingFrame : public jcForms
{
public:
    using jcForms::jcForms;
    int drags = 0;

protected:
    bool beginSystemMove() override
    {
        ++drags;
        return true;
    }
};

void send(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void move(QWidget *w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    send(w, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

void press(QWidget *w, QPoint pos, Qt::MouseButton b = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonPress, pos, b, b);
}

void release(QWidget *w, QPoint pos, Qt::MouseButton b = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonRelease, pos, b, Qt::NoButton);
}

QPoint centreOf(const jcForms::CaptionButton &b)
{
    return QPoint(b.left + b.width / 2, b.top + b.height / 2);
}

class FrameBehaviour : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("主窗口"));
        window->resize(400, 260);
        frame = new DragCountingFrame(window.get());
        frame->setStyle(5);
        frame->setThemeColor(0);
        frame->applyLanguage(QStringLiteral("Chinese"));
    }
    void showActive()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    std::unique_ptr<QWidget> window;
    DragCountingFrame *frame;
};

} // namespace

TEST_F(FrameBehaviour, CaptionButtonActsOnlyWhenReleasedOverIt)
{
    window->show();
    QSignalSpy closeClicks(frame, &jcForms::jcCloseClick);
    const QPoint close = centreOf(frame->captionButton(jcForms::CloseSlot));

    move(frame, close);
    EXPECT_EQ(frame->hotButton(), int(jcForms::CloseSlot));
    EXPECT_EQ(frame->toolTip(), "关闭");
    press(frame, close);
    EXPECT_EQ(frame->pressedButton(), int(jcForms::CloseSlot));
    // The pressed look is offset by one pixel and lighter than the title.
    const auto &b = frame->captionButton(jcForms::CloseSlot);
    EXPECT_EQ(frame->renderImage().pixelColor(b.left + 2, b.top + 1), QColor(0, 0, 0));
    move(frame, QPoint(100, 100), Qt::LeftButton);
    EXPECT_EQ(frame->hotButton(), -1);
    release(frame, QPoint(100, 100));
    EXPECT_EQ(closeClicks.count(), 0);
    EXPECT_TRUE(window->isVisible());

    // Pressed elsewhere and released over the button: nothing either.
    press(frame, QPoint(100, 100));
    move(frame, close, Qt::LeftButton);
    release(frame, close);
    EXPECT_EQ(closeClicks.count(), 0);
    EXPECT_TRUE(window->isVisible());

    press(frame, close);
    move(frame, QPoint(100, 100), Qt::LeftButton);
    move(frame, close, Qt::LeftButton);
    release(frame, close);
    EXPECT_EQ(closeClicks.count(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FrameBehaviour, MaximiseAndRestoreThroughTheButton)
{
    window->show();
    window->move(40, 30);
    const QRect normal = window->geometry();
    move(frame, QPoint(10, 100));
    const QPoint max = centreOf(frame->captionButton(jcForms::MaxSlot));
    press(frame, max);
    release(frame, max);
    EXPECT_TRUE(frame->isMaximisedByFrame());
    EXPECT_FALSE(frame->menuItem(jcForms::MenuMove)->isEnabled());
    EXPECT_EQ(frame->captionButton(jcForms::MaxSlot).tooltip, "向下还原");
    EXPECT_FALSE(frame->rightStrip()->isVisible());

    const QPoint restore = centreOf(frame->captionButton(jcForms::MaxSlot));
    press(frame, restore);
    release(frame, restore);
    EXPECT_FALSE(frame->isMaximisedByFrame());
    EXPECT_EQ(window->geometry(), normal);
    EXPECT_EQ(frame->captionButton(jcForms::MaxSlot).tooltip, "最大化");
}

TEST_F(FrameBehaviour, TitleDragStopsAtTheLeftmostCaptionButton)
{
    const int t = frame->titleHeight();
    press(frame, QPoint(50, t / 2));
    move(frame, QPoint(60, t / 2), Qt::LeftButton);
    EXPECT_EQ(frame->drags, 1);
    release(frame, QPoint(60, t / 2));

    const int bl = frame->captionButton(frame->leftmostButton()).left;
    for (int x : {bl, bl + 19, frame->width() - 2}) {
        press(frame, QPoint(x, 3));
        move(frame, QPoint(x, 3), Qt::LeftButton);
        release(frame, QPoint(x, 3));
    }
    // Below the title, nothing drags either.
    press(frame, QPoint(50, t + 20));
    move(frame, QPoint(55, t + 20), Qt::LeftButton);
    release(frame, QPoint(55, t + 20));
    EXPECT_EQ(frame->drags, 1);
}

TEST(FrameDrag, WithoutTheWindowSystemTheFrameMovesTheWindow)
{
    // The offscreen platform takes no system drag.
    QWidget window;
    window.resize(300, 150);
    jcForms frame(&window);
    window.show();
    window.move(100, 100);
    const QPoint start = window.pos();
    press(&frame, QPoint(50, 5));
    move(&frame, QPoint(80, 25), Qt::LeftButton);
    EXPECT_EQ(window.pos(), start + QPoint(30, 20));
    release(&frame, QPoint(50, 5));
    EXPECT_EQ(window.pos(), start + QPoint(30, 20));
}

TEST_F(FrameBehaviour, AltF4ObeysTheCloseButton)
{
    showActive();
    frame->setCloseButton(false);
    EXPECT_FALSE(frame->menuItem(jcForms::MenuClose)->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(window->isVisible());

    frame->setCloseButton(true);
    QSignalSpy closeClicks(frame, &jcForms::jcCloseClick);
    QTest::keyClick(window.get(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(closeClicks.count(), 0); // Alt+F4 is no click on the close button
}

TEST_F(FrameBehaviour, WindowMenuWithAnAddedAboutEntry)
{
    window->show();
    frame->FormMenuAdd(QStringLiteral("关于(&A)"), true);
    QStringList shown;
    for (QAction *a : frame->SysMnu()->actions()) {
        if (a->isVisible())
            shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(shown, (QStringList{"移动(&M)", "-", "关闭(&C)", "-", "置顶(&T)", "-", "关于(&A)"}));

    QSignalSpy selected(frame, &jcForms::MenuItemSelected);
    frame->menuItem(10)->trigger();
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected[0][0].toInt(), 10);
    EXPECT_EQ(selected[0][1].toString(), "关于(&A)");

    // The fixed items do their own work and raise nothing.
    frame->menuItem(jcForms::MenuOnTop)->trigger();
    EXPECT_TRUE(frame->menuItem(jcForms::MenuOnTop)->isChecked());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    frame->SetAlwaysOnTop(false);
    EXPECT_FALSE(frame->menuItem(jcForms::MenuOnTop)->isChecked());
    EXPECT_TRUE(window->isVisible());

    // A window not shown yet is not shown by it.
    QWidget hidden;
    jcForms other(&hidden);
    other.SetAlwaysOnTop(true);
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_TRUE(other.menuItem(jcForms::MenuOnTop)->isChecked());
    EXPECT_EQ(selected.count(), 1);
}

TEST_F(FrameBehaviour, MenuOpensOnlyWhenEnabled)
{
    window->show();
    const int t = frame->titleHeight();
    auto rightClickInTitle = [&] {
        press(frame, QPoint(80, t / 2), Qt::RightButton);
        release(frame, QPoint(80, t / 2), Qt::RightButton);
        const bool open = frame->SysMnu()->isVisible();
        frame->SysMnu()->hide();
        return open;
    };
    auto clickOnIcon = [&] {
        press(frame, QPoint(10, t / 2));
        release(frame, QPoint(10, t / 2));
        const bool open = frame->SysMnu()->isVisible();
        frame->SysMnu()->hide();
        return open;
    };
    EXPECT_FALSE(rightClickInTitle());
    EXPECT_FALSE(clickOnIcon());
    frame->FormMenuShow(2);
    EXPECT_FALSE(rightClickInTitle());
    frame->FormMenuShow(1);
    EXPECT_TRUE(rightClickInTitle());
    EXPECT_TRUE(clickOnIcon());
    // Not on or right of the caption buttons, and not below the title.
    const int bl = frame->captionButton(frame->leftmostButton()).left;
    press(frame, QPoint(bl + 1, 2), Qt::RightButton);
    release(frame, QPoint(bl + 1, 2), Qt::RightButton);
    EXPECT_FALSE(frame->SysMnu()->isVisible());
    press(frame, QPoint(80, t + 10), Qt::RightButton);
    release(frame, QPoint(80, t + 10), Qt::RightButton);
    EXPECT_FALSE(frame->SysMnu()->isVisible());
}

TEST_F(FrameBehaviour, AddedItemsCanBeChangedAndRemoved)
{
    frame->FormMenuAdd(QStringLiteral("甲"));
    frame->FormMenuAdd(QStringLiteral("乙"), true, false, true, true);
    EXPECT_EQ(frame->menuItemCount(), 12);
    EXPECT_EQ(frame->GetMenuItemValue(11, 0).toString(), "乙");
    EXPECT_FALSE(frame->GetMenuItemValue(11, 1).toBool());
    EXPECT_TRUE(frame->GetMenuItemValue(11, 2).toBool());
    EXPECT_FALSE(frame->GetMenuItemValue(42, 0).isValid());

    frame->ModifyAddedMenu(9, QString(), true, true, false);
    EXPECT_EQ(frame->GetMenuItemValue(9, 0).toString(), "甲");
    EXPECT_FALSE(frame->GetMenuItemValue(9, 3).toBool());
    frame->ModifyAddedMenu(6, QStringLiteral("x"), false, false, false); // fixed items stay
    EXPECT_EQ(frame->GetMenuItemValue(6, 0).toString(), "关闭(&C)");

    // Removing the last item takes the separator before it along.
    frame->FormMenuRemove(11);
    EXPECT_EQ(frame->menuItemCount(), 10);
    frame->FormMenuRemove(8);
    EXPECT_EQ(frame->menuItemCount(), 10);
}

TEST_F(FrameBehaviour, LocalisedCaptionsAndTooltips)
{
    EXPECT_EQ(frame->captionButton(jcForms::MinSlot).tooltip, "最小化");
    EXPECT_EQ(frame->captionButton(jcForms::MaxSlot).tooltip, "最大化");
    for (int i : {0, 2, 3, 4})
        EXPECT_FALSE(frame->menuItem(i)->isVisible()) << i;

    frame->SetjcFormsMenuCaption(6, QStringLiteral("退出"));
    EXPECT_EQ(frame->menuItem(6)->text(), "退出            Alt+F4");
    EXPECT_EQ(frame->captionButton(jcForms::CloseSlot).tooltip, "退出");
    frame->SetjcFormsMenuCaption(5, QStringLiteral("x"));
    EXPECT_TRUE(frame->menuItem(5)->isSeparator());

    frame->applyLanguage(QStringLiteral("Spanish"));
    EXPECT_EQ(frame->menuItem(6)->text(), "&Cerrar");
    EXPECT_EQ(frame->menuItem(8)->text(), "&Siempre Visible");
    EXPECT_EQ(frame->captionButton(jcForms::CloseSlot).tooltip, "Cerrar");
    EXPECT_EQ(frame->captionButton(jcForms::MinSlot).tooltip, "Minimizar");
}

TEST_F(FrameBehaviour, ResizeStripsKeepTheLimits)
{
    window->show();
    frame->setBorderStyle(1);
    move(frame, QPoint(100, 100)); // the strips come with the first movement
    QWidget *bottom = frame->bottomStrip();
    QWidget *right = frame->rightStrip();
    ASSERT_TRUE(bottom && right);
    EXPECT_EQ(right->geometry(),
              QRect(400 - 4, frame->titleHeight() + 9, 3, 260 - frame->titleHeight() - 10));
    EXPECT_EQ(bottom->geometry(), QRect(4, 256, 392, 3));

    // Near the right end the bottom strip resizes both ways.
    const QPoint corner(bottom->width() - 3, 1);
    press(bottom, corner);
    EXPECT_EQ(frame->resizeMode(), int(jcForms::ResizeBoth));
    move(bottom, corner + QPoint(40, 30), Qt::LeftButton);
    // The pointer, in frame pixels, is at (4 + 389 + 40, 256 + 1 + 30); the window ends 5 beyond.
    EXPECT_EQ(window->size(), QSize(438, 292));
    move(bottom, QPoint(-500, -500), Qt::LeftButton);
    EXPECT_EQ(window->size(), QSize(135, frame->titleHeight() + 20));
    release(bottom, QPoint(-500, -500));
    EXPECT_EQ(frame->resizeMode(), int(jcForms::NoResize));

    // With a fixed border the strips do nothing.
    frame->setBorderStyle(0);
    window->resize(300, 200);
    press(frame->rightStrip(), QPoint(1, 5));
    EXPECT_EQ(frame->resizeMode(), int(jcForms::NoResize));
    move(frame->rightStrip(), QPoint(-200, 5), Qt::LeftButton);
    EXPECT_EQ(window->size(), QSize(300, 200));
}

TEST_F(FrameBehaviour, ActivationAndSystemColoursRepaint)
{
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(window.get(), &deactivate);
    EXPECT_FALSE(frame->isActiveLook());
    EXPECT_EQ(frame->darkColour(), rgbRef(79, 137, 181));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activate);
    EXPECT_EQ(frame->darkColour(), rgbRef(19, 97, 156));

    // The button-face background follows a new system palette.
    QPalette old = QApplication::palette();
    QPalette pal = old;
    pal.setColor(QPalette::Button, QColor(200, 100, 50));
    QApplication::setPalette(pal);
    QApplication::processEvents();
    EXPECT_EQ(frame->backgroundColour(), rgbRef(200, 100, 50));
    QApplication::setPalette(old);
    QApplication::processEvents();

    // The frame follows its window's size and caption.
    window->show();
    window->resize(333, 222);
    EXPECT_EQ(frame->geometry(), QRect(0, 0, 333, 222));
    window->setWindowTitle(QStringLiteral("新标题"));
    frame->renderImage();
    EXPECT_EQ(frame->keptCaption(), "新标题");
}

TEST_F(FrameBehaviour, DoubleClickInTheTitleAndMouseEvents)
{
    QSignalSpy down(frame, &jcForms::MouseDown);
    QSignalSpy dbl(frame, &jcForms::DblClick);
    QSignalSpy clicks(frame, &jcForms::Click);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool up = type == QEvent::MouseButtonRelease;
        QMouseEvent e(type, QPointF(60, 6), frame->mapToGlobal(QPointF(60, 6)), Qt::LeftButton,
                      up ? Qt::NoButton : Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(frame, &e);
    }
    EXPECT_TRUE(frame->isMaximisedByFrame());
    EXPECT_EQ(dbl.count(), 1);
    EXPECT_EQ(clicks.count(), 2);
    ASSERT_GE(down.count(), 1);
    // Button and shift as the window's handlers expect them: left 1, shift 1.
    EXPECT_EQ(down[0], (QList<QVariant>{1, 1, 60, 6}));

    // Without a maximise button a double click changes nothing.
    frame->setMaxButton(false);
    EXPECT_FALSE(frame->isMaximisedByFrame());
    QMouseEvent again(QEvent::MouseButtonDblClick, QPointF(60, 6), frame->mapToGlobal(QPointF(60, 6)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &again);
    EXPECT_FALSE(frame->isMaximisedByFrame());
}

TEST_F(FrameBehaviour, ChangeAllBackgroundsLeavesWindowColouredControls)
{
    auto *label = new QLabel(QStringLiteral("标签"), window.get());
    auto *edit = new QLineEdit(window.get());
    const QColor editBase = edit->palette().color(edit->backgroundRole());
    frame->setBackColorStyle(1);
    frame->setChangeAllBackgrounds(true);
    const QColor light(221, 236, 254);
    EXPECT_EQ(label->palette().color(label->backgroundRole()), light);
    EXPECT_EQ(edit->palette().color(edit->backgroundRole()), editBase);
    EXPECT_EQ(frame->renderImage().pixelColor(100, 150), light);
}

TEST_F(FrameBehaviour, FixedMenuItemsMoveAndClose)
{
    showActive();
    frame->menuItem(jcForms::MenuMove)->trigger();
    EXPECT_EQ(QWidget::mouseGrabber(), frame);
    // The next press ends the keyboard move.
    press(frame, QPoint(50, 5));
    release(frame, QPoint(50, 5));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    QSignalSpy selected(frame, &jcForms::MenuItemSelected);
    QSignalSpy closeClicks(frame, &jcForms::jcCloseClick);
    frame->menuItem(jcForms::MenuClose)->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(frame->isReady());
    EXPECT_EQ(selected.count(), 0);
    EXPECT_EQ(closeClicks.count(), 0);
}

TEST_F(FrameBehaviour, RefusedCloseKeepsTheFrameReady)
{
    // A window that answers its close with "not now" keeps following its activation.
    class Stubborn : public QWidget
    {
    protected:
        void closeEvent(QCloseEvent *e) override { e->ignore(); }
    };
    Stubborn stubborn;
    stubborn.resize(300, 150);
    jcForms f(&stubborn);
    stubborn.show();
    const QPoint close = centreOf(f.captionButton(jcForms::CloseSlot));
    move(&f, close);
    press(&f, close);
    release(&f, close);
    EXPECT_TRUE(stubborn.isVisible());
    EXPECT_TRUE(f.isReady());
}
