// Moving a window by its frame: what the display can tell beyond Qt's events, and where a
// dragged window may end.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

#include <functional>

class QWidget;

namespace skin {

// Set once by the program for its display. Qt hands events over after the fact: a press and its
// motion may still be queued when the button is already up, and a move handed to the window
// manager then would follow the pointer until the next click.
struct DisplayQueries
{
    // Whether the left button is down at this moment (empty: trust the events).
    std::function<bool()> leftButtonDown;
    // Calls off the move the window manager was asked to make for this window.
    std::function<void(QWidget *window)> cancelMove;
};
void setDisplayQueries(const DisplayQueries &queries);
const DisplayQueries &displayQueries();

// Where a window dropped at `window` (its frame geometry) is moved so that a grip of its title bar
// (`titleHeight` high, `grip` wide at least) stays on one of the screens' available areas: the
// position it has when that holds already, else the nearest one that does.
QPoint reachablePosition(const QRect &window, int titleHeight, const QList<QRect> &screens, int grip = 48);

} // namespace skin
