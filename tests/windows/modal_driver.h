// Drives a modal window that a call opens and waits for: act() runs on the window once it shows,
// and a window that act() leaves open is closed, so a failing test never hangs in the modal loop.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

template <typename Window> void whenShown(std::function<void(Window *)> act, int triesLeft = 200)
{
    QTimer::singleShot(0, [act, triesLeft] {
        QPointer<Window> window = qobject_cast<Window *>(QApplication::activeModalWidget());
        if (!window || !window->isVisible()) {
            if (triesLeft > 0)
                whenShown<Window>(act, triesLeft - 1);
            else
                ADD_FAILURE() << "no modal window showed";
            return;
        }
        act(window);
        if (window && window->isVisible())
            window->close();
    });
}

// Where a caption button of a frame sits, to click it.
template <typename Frame> QPoint captionButtonCentre(const Frame *frame, int slot)
{
    const auto &b = frame->captionButton(slot);
    return QPoint(b.left + b.width / 2, b.top + b.height / 2);
}
