// The frame tests' stand-ins: a frame that counts the drags it hands to the window system,
// a window of the program's kind, and mouse events sent straight to a widget.
#pragma once

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

namespace frametest {

using namespace skin;

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

inline void send(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void move(QWidget *w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    send(w, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

inline void press(QWidget *w, QPoint pos, Qt::MouseButton b = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonPress, pos, b, b);
}

inline void release(QWidget *w, QPoint pos, Qt::MouseButton b = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonRelease, pos, b, Qt::NoButton);
}

inline QPoint centreOf(const jcForms::CaptionButton &b)
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
        frame->setFrameStyle(5);
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

} // namespace frametest
