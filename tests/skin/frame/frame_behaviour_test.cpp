// The frame's behaviour: caption buttons, dragging, resizing, activation and closing.
#include "frame_test_support.h"
#include "skin/frame/window_move.h"

#include <QScreen>

using namespace frametest;

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

// The display's answers for as long as it lives.
struct ScopedDisplay
{
    explicit ScopedDisplay(const DisplayQueries &queries) : before(displayQueries())
    {
        setDisplayQueries(queries);
    }
    ~ScopedDisplay() { setDisplayQueries(before); }
    DisplayQueries before;
};

TEST_F(FrameBehaviour, ADragEndsWhenTheButtonGoesUpHoweverLateQtSaysSo)
{
    bool down = true;
    QList<QWidget *> cancelled;
    const ScopedDisplay display({[&] { return down; }, [&](QWidget *w) { cancelled << w; }});
    const int t = frame->titleHeight();

    // The button is up already when Qt reports the movement: the frame moves the window to where
    // it was dropped itself, and the window manager is left out.
    down = false;
    window->move(100, 100);
    const QPoint start = window->pos();
    press(frame, QPoint(50, t / 2));
    move(frame, QPoint(80, t / 2 + 20), Qt::LeftButton);
    release(frame, QPoint(80, t / 2 + 20));
    EXPECT_EQ(frame->drags, 0);
    EXPECT_EQ(window->pos(), start + QPoint(30, 20));
    EXPECT_TRUE(cancelled.isEmpty());

    // Handed to the window manager, once; a release that still reaches the frame calls the
    // manager's move off, for the manager never saw it.
    down = true;
    press(frame, QPoint(50, t / 2));
    move(frame, QPoint(60, t / 2), Qt::LeftButton);
    move(frame, QPoint(70, t / 2), Qt::LeftButton);
    EXPECT_EQ(frame->drags, 1);
    release(frame, QPoint(70, t / 2));
    EXPECT_EQ(cancelled, QList<QWidget *>{window.get()});
    press(frame, QPoint(50, t / 2));
    release(frame, QPoint(50, t / 2));
    EXPECT_EQ(cancelled.size(), 1);
}

TEST(FrameDrag, AWindowDroppedOffTheScreenKeepsAGripOfItsTitleOnIt)
{
    QWidget window;
    window.resize(300, 150);
    jcForms frame(&window);
    window.show();
    window.move(100, 100);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    press(&frame, QPoint(50, 5));
    move(&frame, QPoint(50, 5) + QPoint(screen.width() + 500, -1000), Qt::LeftButton);
    release(&frame, QPoint(50, 5));
    const QRect title(window.frameGeometry().topLeft(), QSize(window.width(), frame.titleHeight()));
    EXPECT_GE(title.intersected(screen).width(), 48);
    EXPECT_EQ(title.intersected(screen).height(), frame.titleHeight());
}

TEST(ReachablePosition, MovesOnlyAsFarAsNeededOntoTheNearestScreen)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 768)};
    // Anywhere that keeps a grip of the title bar on a screen stays.
    EXPECT_EQ(reachablePosition(QRect(100, 100, 400, 300), 31, screens), QPoint(100, 100));
    EXPECT_EQ(reachablePosition(QRect(-352, 769, 400, 300), 31, screens), QPoint(-352, 769));
    // Beyond: the nearest position that keeps 48 pixels of it.
    EXPECT_EQ(reachablePosition(QRect(-390, 100, 400, 300), 31, screens), QPoint(-352, 100));
    EXPECT_EQ(reachablePosition(QRect(100, -40, 400, 300), 31, screens), QPoint(100, 0));
    EXPECT_EQ(reachablePosition(QRect(100, 790, 400, 300), 31, screens), QPoint(100, 769));
    EXPECT_EQ(reachablePosition(QRect(2300, 790, 400, 300), 31, screens), QPoint(2256, 737));
    // The gap beside the smaller screen leads onto the nearer one.
    EXPECT_EQ(reachablePosition(QRect(1500, 780, 400, 300), 31, screens), QPoint(1500, 737));
    EXPECT_EQ(reachablePosition(QRect(100, 100, 400, 300), 31, {}), QPoint(100, 100));
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
