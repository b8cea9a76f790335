// The themed window frame: the pointer over the title bar and caption buttons, dragging,
// and the strips along the edges by which the window is resized.
#include "skin/frame/jcforms.h"

#include "skin/common/draw_primitives.h"
#include "skin/frame/resize_strip.h"
#include "skin/frame/window_move.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace skin {

namespace {

int vbButton(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

int vbShift(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Resize strips

QWidget *jcForms::rightStrip() const
{
    return m_picRight;
}

QWidget *jcForms::bottomStrip() const
{
    return m_picBottom;
}

void jcForms::ensureStrips()
{
    if (m_picRight || !m_window)
        return;
    m_picRight = new ResizeStrip(this, true, m_window);
    m_picBottom = new ResizeStrip(this, false, m_window);
    placeStrips();
}

void jcForms::placeStrips()
{
    if (!m_picRight)
        return;
    const int sw = width(), sh = height(), t = m_titleHeight;
    m_picRight->setGeometry(sw - 4, t + 9, 3, std::max(0, sh - (t + 10)));
    m_picBottom->setGeometry(4, sh - 4, std::max(0, sw - 8), 3);
    const bool shown = m_windowState != MaximisedState;
    m_picRight->setVisible(shown);
    m_picBottom->setVisible(shown);
    m_picRight->raise();
    m_picBottom->raise();
    m_picRight->update();
    m_picBottom->update();
}

// ---------------------------------------------------------------------------------------
// Pointer

int jcForms::hitTest(QPoint pos) const
{
    for (int s = 0; s < 3; ++s) {
        const CaptionButton &b = m_button[s];
        if (b.visible && b.left < pos.x() && pos.x() < b.left + b.width && b.top < pos.y() &&
            pos.y() < b.top + b.height)
            return s;
    }
    return -1;
}

void jcForms::setHot(int slot)
{
    if (slot == m_hot)
        return;
    if (slot >= 0)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    m_hot = slot;
    update();
}

bool jcForms::beginSystemMove()
{
    QWindow *handle = m_window ? m_window->windowHandle() : nullptr;
    return handle && handle->startSystemMove();
}

void jcForms::pointerMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, QPoint pos)
{
    int x = pos.x(), y = pos.y();
    emit MouseMove(vbButton(buttons), vbShift(mods), x, y);
    ensureStrips();
    m_inTitle = y < m_titleHeight;

    const int h = hitTest(pos);
    if (h >= 0) {
        setToolTip(m_button[h].tooltip);
        setHot(h);
        return;
    }
    setToolTip(QString());
    setHot(-1);

    if (m_windowState == MaximisedState || !m_window)
        return;
    if (!(buttons & Qt::LeftButton))
        return;
    if (m_resizeMode != NoResize) {
        x = std::max(x, 130);
        y = std::max(y, m_titleHeight + 15);
        const int w = m_resizeMode == ResizeHeight ? m_window->width() : x + 5;
        const int hgt = m_resizeMode == ResizeWidth ? m_window->height() : y + 5;
        m_window->resize(w, hgt);
        stretchOverWindow();
        recordNormalBounds();
        return;
    }
    // Where the button went down decides: a quick first movement may already be off the title.
    const QPoint from = m_leftPressAt.value_or(pos);
    if (m_pressed < 0 && from.y() < m_titleHeight) {
        const int lm = leftmostButton();
        if ((lm < 0 || from.x() < m_button[lm].left) && !m_systemMove) {
            // Where the window system cannot take the drag, the frame moves the window itself;
            // so too for a movement Qt reports after the button already went up, for a drag
            // handed to the window manager then would follow the pointer until the next click.
            const auto &buttonDown = displayQueries().leftButtonDown;
            if (!m_manualDrag && (!buttonDown || buttonDown()) && beginSystemMove()) {
                m_systemMove = true;
            } else {
                m_manualDrag = true;
                // The pointer's place on the screen as the event gives it: the window's own idea
                // of where it stands may lag behind a move it asked for a moment ago.
                if (m_window->isWindow())
                    m_window->move(m_dragWindowPos + (m_pointerOnScreen - m_dragFrom));
            }
        }
    }
    recordNormalBounds();
}

void jcForms::keepReachable()
{
    if (!m_window || !m_window->isWindow())
        return;
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    const QPoint at = reachablePosition(m_window->frameGeometry(), m_titleHeight, areas);
    if (at != m_window->frameGeometry().topLeft())
        m_window->move(m_window->pos() + (at - m_window->frameGeometry().topLeft()));
}

void jcForms::mouseMoveEvent(QMouseEvent *e)
{
    m_pointerOnScreen = e->globalPosition().toPoint();
    pointerMove(e->buttons(), e->modifiers(), e->position().toPoint());
}

void jcForms::mousePressEvent(QMouseEvent *e)
{
    if (m_keyboardGrab) {
        // The press that ends a move or size begun from the window menu.
        m_keyboardGrab = false;
        releaseMouse();
        unsetCursor();
    }
    const QPoint pos = e->position().toPoint();
    m_lastButton = e->button();
    if (e->button() == Qt::LeftButton) {
        m_manualDrag = false;
        m_systemMove = false;
        m_leftPressAt = pos;
        m_dragFrom = m_pointerOnScreen = e->globalPosition().toPoint();
        m_dragWindowPos = m_window ? m_window->pos() : QPoint();
        setHot(hitTest(pos));
        if (m_hot >= 0) {
            m_pressed = m_hot;
            update();
        }
        if (m_popupEnabled && pos.y() < m_titleHeight && 2 < pos.x() && pos.x() < m_iconSize + 8)
            showMenuAtCursor();
    }
    emit MouseDown(vbButton(e->button()), vbShift(e->modifiers()), pos.x(), pos.y());
}

void jcForms::mouseReleaseEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    m_resizeMode = NoResize;
    if (m_systemMove && e->button() == Qt::LeftButton) {
        // The window manager takes the pointer until the button goes up; a release that still
        // reaches the frame came before it did, so the manager would wait for one forever.
        if (const auto &cancel = displayQueries().cancelMove; cancel && m_window)
            cancel(m_window);
        m_systemMove = false;
    }
    if (m_manualDrag)
        keepReachable();
    m_manualDrag = false;
    if (e->button() == Qt::LeftButton)
        m_leftPressAt.reset();
    QPointer<jcForms> self(this);
    emit MouseUp(vbButton(e->button()), vbShift(e->modifiers()), pos.x(), pos.y());
    if (!self)
        return;
    if (e->button() == Qt::LeftButton && rect().contains(pos))
        emit Click();
    if (!self)
        return;
    if (e->button() == Qt::LeftButton) {
        // A caption button acts only when it was pressed and the pointer is still on it.
        const int h = hitTest(pos);
        const int pressed = m_pressed;
        m_pressed = -1;
        if (h >= 0 && h == pressed) {
            buttonAction(h);
            if (!self)
                return;
            if (m_ready && h != MinSlot && h != CloseSlot)
                setHot(h);
        }
        update();
    } else if (e->button() == Qt::RightButton && m_popupEnabled && pos.y() < m_titleHeight) {
        const int lm = leftmostButton();
        if (lm < 0 || pos.x() < m_button[lm].left)
            showMenuAtCursor();
    }
}

void jcForms::mouseDoubleClickEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    m_lastButton = e->button();
    if (MaxButton() && m_lastButton == Qt::LeftButton && pos.y() < m_titleHeight && hitTest(pos) < 0)
        jcWindowState(true);
    emit DblClick();
}

void jcForms::buttonAction(int slot)
{
    switch (slot) {
    case CloseSlot:
        emit jcCloseClick();
        closeWindow(true);
        break;
    case MaxSlot:
        jcWindowState(true);
        break;
    case MinSlot:
        setHot(-1);
        if (m_window)
            m_window->showMinimized();
        break;
    default:
        break;
    }
}

void jcForms::closeWindow(bool clearReady)
{
    if (!m_window)
        return;
    if (clearReady)
        m_ready = false;
    QPointer<jcForms> self(this);
    const bool closed = m_window->close();
    // A window that refused to close goes on being painted as before.
    if (self && !closed)
        m_ready = true;
}

void jcForms::closeShortcut()
{
    if (CloseButton())
        closeWindow(false);
}

} // namespace skin
