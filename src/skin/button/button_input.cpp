// The multistyle button: state, shape and pointer, mouse, keys and focus.
#include "skin/button/jcbutton.h"

#include "skin/common/draw_helpers.h"
#include "skin/subclassing/subclasser.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>

namespace skin {

namespace {

Qt::CursorShape pointerShape(int pointer)
{
    // The numbering of the platform's standard pointers.
    switch (pointer) {
    case 1:
        return Qt::ArrowCursor;
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// State, shape and pointer

QWidget *jcbutton::container() const
{
    return parentWidget();
}

void jcbutton::setState(int state)
{
    m_state = state;
    update();
}

void jcbutton::updateShape()
{
    const int corner = styleDefaults(m_style).corner;
    if (corner > 0)
        setMask(roundRectRegion(width(), height(), corner, corner));
    else
        clearMask();
}

void jcbutton::updatePointer()
{
    if (m_handPointer)
        setCursor(Qt::PointingHandCursor);
    else if (m_mousePointer == 99 && !m_mouseIcon.isNull())
        setCursor(QCursor(m_mouseIcon));
    else if (m_mousePointer == 0)
        unsetCursor();
    else
        setCursor(pointerShape(m_mousePointer));
}

bool jcbutton::isOver(const QPoint &pos) const
{
    return mask().isEmpty() ? rect().contains(pos) : mask().contains(pos);
}

bool jcbutton::hitButton(const QPoint &pos) const
{
    return isOver(pos);
}

void jcbutton::resizeEvent(QResizeEvent *e)
{
    QAbstractButton::resizeEvent(e);
    updateShape();
    update();
}

void jcbutton::showEvent(QShowEvent *e)
{
    QAbstractButton::showEvent(e);
    // A button made in code and never read from design data tracks the pointer all the same.
    installHooks();
    m_containerActive = window()->isActiveWindow();
}

void jcbutton::changeEvent(QEvent *e)
{
    QAbstractButton::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            m_mouseHeld = m_keyHeld = false;
            m_state = StateNormal;
        }
        update();
        break;
    case QEvent::ParentChange:
        installHooks();
        break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Pointer

void jcbutton::mouseMoveEvent(QMouseEvent *e)
{
    if (!isEnabled())
        return;
    const QPoint pos = e->position().toPoint();
    const bool over = isOver(pos);
    if (!over && m_inside) {
        m_inside = false;
        if (!m_keyHeld)
            m_state = StateNormal;
        emit MouseLeave(m_index);
    } else if (over && !m_inside) {
        m_inside = true;
        emit MouseEnter(m_index);
    }
    if (m_inside) {
        if (m_mouseHeld)
            m_state = StatePressed;
        else if (!m_keyHeld)
            m_state = StateHot;
    }
    update();
    emit MouseMove(m_index, e->buttons(), e->modifiers(), pos.x(), pos.y());
}

void jcbutton::pressLeft(const QPoint &pos)
{
    if (focusPolicy() & Qt::ClickFocus)
        setFocus(Qt::MouseFocusReason);
    m_hasFocus = hasFocus();
    m_mouseHeld = true;
    m_inside = isOver(pos);
    if (m_inside)
        m_state = StatePressed;
    update();
}

void jcbutton::mousePressEvent(QMouseEvent *e)
{
    if (!isEnabled())
        return;
    m_downButton = e->button();
    m_downShift = e->modifiers();
    m_downPos = e->position().toPoint();
    if (e->button() == Qt::LeftButton)
        pressLeft(m_downPos);
    emit MouseDown(m_index, m_downButton, m_downShift, m_downPos.x(), m_downPos.y());
}

void jcbutton::mouseReleaseEvent(QMouseEvent *e)
{
    if (!isEnabled())
        return;
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::LeftButton) {
        const bool wasHeld = m_mouseHeld;
        m_mouseHeld = false;
        // Only a release strictly inside counts; one on the very edge does not.
        const bool strictlyInside = pos.x() > 0 && pos.x() < width() && pos.y() > 0 && pos.y() < height();
        // Stands in for the pointer movement that follows a release on other platforms.
        m_inside = isOver(pos);
        m_state = m_inside && !m_keyHeld ? StateHot : (m_keyHeld ? m_state : StateNormal);
        if (wasHeld && strictlyInside) {
            if (m_checkBoxMode)
                m_value = !m_value;
            update();
            // A click may close the window and take the button with it.
            QPointer<jcbutton> self(this);
            raiseClick();
            if (!self)
                return;
        }
        update();
    }
    emit MouseUp(m_index, e->button(), e->modifiers(), pos.x(), pos.y());
}

void jcbutton::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!isEnabled())
        return;
    if (e->button() != Qt::LeftButton) {
        mousePressEvent(e);
        return;
    }
    m_state = StatePressed;
    update();
    // The second press of a double click is a press like the first.
    pressLeft(m_downPos);
    QPointer<jcbutton> self(this);
    emit MouseDown(m_index, m_downButton, m_downShift, m_downPos.x(), m_downPos.y());
    if (self)
        emit DblClick(m_index);
}

void jcbutton::raiseClick()
{
    QPointer<jcbutton> self(this);
    emit Click(m_index);
    // Code written for Qt's own buttons listens to clicked().
    if (self)
        emit clicked(m_value);
}

// ---------------------------------------------------------------------------------------
// Keys and focus

void jcbutton::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    QPointer<jcbutton> self(this);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        raiseClick();
        break;
    case Qt::Key_Space:
        // A held space bar repeats its key-down; only the first one acts.
        if (!m_mouseHeld && mods != Qt::AltModifier && !m_keyHeld) {
            m_keyHeld = true;
            if (m_checkBoxMode)
                m_value = !m_value;
            else
                m_state = StatePressed;
            update();
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusNextPrevChild(false);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextPrevChild(true);
        break;
    default:
        break;
    }
    if (self)
        emit KeyDown(m_index, key, mods);
}

void jcbutton::keyReleaseEvent(QKeyEvent *e)
{
    if (e->isAutoRepeat())
        return;
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    QPointer<jcbutton> self(this);
    // A space released here that went down elsewhere (say on the button that opened this
    // window) is no click of this button.
    if (key == Qt::Key_Space && m_keyHeld) {
        m_keyHeld = false;
        if (!m_inside) {
            setState(StateNormal);
            raiseClick();
        } else if (m_mouseHeld) {
            setState(StatePressed);
        } else {
            setState(StateHot);
            raiseClick();
        }
    }
    if (!self)
        return;
    emit KeyUp(m_index, key, mods);
    if (key == Qt::Key_Space)
        m_keyHeld = m_mouseHeld = false;
}

void jcbutton::focusInEvent(QFocusEvent *e)
{
    QAbstractButton::focusInEvent(e);
    m_hasFocus = true;
    if (m_inside)
        m_state = StateHot;
    else if (!m_mouseHeld)
        m_state = StateNormal;
    update();
}

void jcbutton::focusOutEvent(QFocusEvent *e)
{
    QAbstractButton::focusOutEvent(e);
    m_hasFocus = m_mouseHeld = m_keyHeld = false;
    m_state = m_inside && m_containerActive ? StateHot : StateNormal;
    update();
}

bool jcbutton::event(QEvent *e)
{
    if (e->type() == QEvent::Shortcut) {
        // The access key of the caption.
        if (isEnabled()) {
            m_keyHeld = m_mouseHeld = false;
            if (m_checkBoxMode) {
                m_value = !m_value;
                if (!m_value)
                    m_state = StateNormal;
            }
            repaint();
            raiseClick();
        }
        return true;
    }
    return QAbstractButton::event(e);
}

} // namespace skin
