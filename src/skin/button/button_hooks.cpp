// The multistyle button: pointer tracking on the button and the activation of the window
// that holds it, through the subclassing facility.
#include "skin/button/jcbutton.h"

#include "skin/subclassing/subclasser.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMouseEvent>

namespace skin {

// ---------------------------------------------------------------------------------------
// Hooks: pointer tracking on the button, activation of the window that holds it

void jcbutton::installHooks()
{
    if (!m_hooks)
        m_hooks = new Subclasser(Subclasser::Kind::Button, QStringLiteral("jcbutton"), this);
    auto handler = [this](SubclassCall &call) { onHook(call); };
    if (!m_selfHooked && m_hooks->sc_Subclass(this, handler)) {
        m_selfHooked = true;
        m_hooks->sc_AddMsg(this, QEvent::MouseMove, MSG_BEFORE);
        m_hooks->sc_AddMsg(this, QEvent::Leave, MSG_BEFORE);
    }
    // An MDI child is activated on its own; any other button follows its top-level window.
    QWidget *holder = window();
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<QMdiSubWindow *>(w)) {
            holder = w;
            break;
        }
    }
    if (holder == this || holder == m_hookedContainer)
        return;
    if (m_hookedContainer && m_hooks->isSubclassed(m_hookedContainer))
        m_hooks->sc_UnSubclass(m_hookedContainer);
    m_hookedContainer = nullptr;
    if (m_hooks->sc_Subclass(holder, handler)) {
        m_hookedContainer = holder;
        m_hooks->sc_AddMsg(holder, QEvent::WindowActivate, MSG_BEFORE);
        m_hooks->sc_AddMsg(holder, QEvent::WindowDeactivate, MSG_BEFORE);
    }
}

void jcbutton::onHook(SubclassCall &call)
{
    const int type = call.event->type();
    if (call.window == this) {
        if (type == QEvent::MouseMove) {
            const auto *me = static_cast<QMouseEvent *>(call.event);
            // While the button holds the pointer, movement outside it is no entry.
            if (!m_inside && isEnabled() && isOver(me->position().toPoint())) {
                m_inside = true;
                if (!m_keyHeld)
                    setState(StateHot);
                emit MouseEnter(m_index);
            }
        } else if (type == QEvent::Leave) {
            const bool wasInside = m_inside;
            m_inside = false;
            if (!m_keyHeld && isEnabled()) {
                setState(StateNormal);
                if (wasInside)
                    emit MouseLeave(m_index);
            }
        }
        return;
    }
    if (type == QEvent::WindowActivate)
        onContainerActivation(true);
    else if (type == QEvent::WindowDeactivate)
        onContainerActivation(false);
}

void jcbutton::onContainerActivation(bool active)
{
    m_containerActive = active;
    if (!active) {
        m_mouseHeld = m_keyHeld = m_hasFocus = false;
        m_state = StateNormal;
    } else {
        m_hasFocus = hasFocus();
        if (m_state != StateNormal)
            m_state = StateNormal;
    }
    update();
}

} // namespace skin
