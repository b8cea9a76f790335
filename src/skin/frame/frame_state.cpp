// The themed window frame: minimised, maximised and normal, as the frame keeps them.
#include "skin/frame/jcforms.h"

#include "skin/frame/resize_strip.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace skin {

// ---------------------------------------------------------------------------------------
// Window state

void jcForms::restoreFromMinimised()
{
    m_windowState = m_stateBeforeMinimise;
    if (m_window && (m_window->windowState() & Qt::WindowMinimized))
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
}

void jcForms::jcWindowState(bool toggle)
{
    if (!m_window || !toggle)
        return;

    auto enable = [this](int index, bool on) {
        if (QAction *a = m_items.value(index))
            a->setEnabled(on);
    };
    if (m_windowState != MaximisedState) {
        recordNormalBounds();
        m_windowState = MaximisedState;
        enable(MenuRestore, true);
        enable(MenuMove, false);
        enable(MenuSize, false);
        enable(MenuMaximise, false);
        if (m_picRight) {
            m_picRight->hide();
            m_picBottom->hide();
        }
        if (!(m_window->windowState() & Qt::WindowMaximized) && m_window->isWindow()) {
            QScreen *screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
            if (screen)
                m_window->setGeometry(screen->availableGeometry());
        }
    } else {
        m_windowState = NormalState;
        enable(MenuRestore, false);
        enable(MenuMove, true);
        enable(MenuSize, true);
        enable(MenuMaximise, true);
        if (m_normalBounds.isValid() && m_window->isWindow())
            m_window->setGeometry(m_normalBounds);
    }
    stretchOverWindow();
    CaptionBtnSetup();
    placeStrips();
    update();
}

} // namespace skin
