// The themed window frame: run-time start and the hooks on its window.
#include "skin/frame/jcforms.h"

#include "skin/common/draw_primitives.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>
#include <QWindow>

namespace skin {

// ---------------------------------------------------------------------------------------
// Run-time start and hooks

void jcForms::startRunTime()
{
    if (!m_window)
        return;
    m_ready = false;
    m_inSetup = true;
    applyLanguage(QLocale::languageToString(QLocale::system().language()));
    SetThemeColor();
    m_caption = m_window->windowTitle();
    if (m_window->isWindow()) {
        const bool shown = m_window->isVisible();
        m_window->setWindowFlag(Qt::FramelessWindowHint, true);
        if (shown)
            m_window->show();
    }
    applyBackColor();
    TitleBarHeightSetup();
    setMouseTracking(true);
    stretchOverWindow();
    BorderStyleSetup();
    if (m_windowState == MinimisedState)
        m_window->setWindowState(m_window->windowState() | Qt::WindowMinimized);
    else if (m_windowState == MaximisedState) {
        m_windowState = NormalState;
        jcWindowState(true);
    }
    if (!m_subclass.isSubclassed(m_window))
        installHooks();
    m_inSetup = false;
    m_ready = true;
}

void jcForms::installHooks()
{
    m_subclass.sc_Subclass(this, [this](SubclassCall &c) { onFrameEvent(c); });
    m_subclass.sc_AddMsg(this, QEvent::Leave, MSG_AFTER);

    m_subclass.sc_Subclass(m_window, [this](SubclassCall &c) { onWindowEvent(c); });
    for (QEvent::Type t : {QEvent::Resize, QEvent::Move, QEvent::WindowActivate, QEvent::WindowDeactivate,
                           QEvent::ApplicationPaletteChange, QEvent::PaletteChange, QEvent::FontChange,
                           QEvent::WindowTitleChange, QEvent::WindowIconChange, QEvent::WindowStateChange})
        m_subclass.sc_AddMsg(m_window, t, MSG_AFTER);
    m_subclass.sc_AddMsg(m_window, QEvent::Close, MSG_BEFORE);

    m_closeShortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), m_window);
    m_closeShortcut->setContext(Qt::WindowShortcut);
    connect(m_closeShortcut, &QShortcut::activated, this, &jcForms::closeShortcut);
}

void jcForms::onFrameEvent(SubclassCall &call)
{
    if (call.event->type() == QEvent::Leave) {
        // The pointer left the frame: no caption button stays hot.
        if (m_hot >= 0)
            unsetCursor();
        m_hot = -1;
        setToolTip(QString());
        update();
    }
}

void jcForms::onWindowEvent(SubclassCall &call)
{
    switch (call.event->type()) {
    case QEvent::Resize:
        stretchOverWindow();
        recordNormalBounds();
        break;
    case QEvent::Move:
        if (m_windowState == MaximisedState && !m_picRight && MaxButton()) {
            m_windowState = NormalState;
            jcWindowState(true);
        }
        stretchOverWindow();
        recordNormalBounds();
        break;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (m_ready)
            setActiveLook(call.event->type() == QEvent::WindowActivate);
        break;
    case QEvent::ApplicationPaletteChange:
    case QEvent::PaletteChange:
        SetThemeColor();
        Refresh(true);
        break;
    case QEvent::FontChange:
        // The title height follows the window's font.
        TitleBarHeightSetup();
        BorderStyleSetup();
        placeStrips();
        break;
    case QEvent::WindowTitleChange:
        update();
        break;
    case QEvent::WindowStateChange:
        // Restored by the window system (task bar, window list): no longer minimised.
        if (m_windowState == MinimisedState && !(m_window->windowState() & Qt::WindowMinimized))
            m_windowState = m_stateBeforeMinimise;
        break;
    case QEvent::WindowIconChange:
        Refresh();
        break;
    case QEvent::Close:
        // A close asked for by the window system (Alt+F4, the task bar) obeys the close button.
        if (call.event->spontaneous() && !CloseButton()) {
            call.event->ignore();
            call.suppress = true;
            call.result = true;
        }
        break;
    default:
        break;
    }
}

void jcForms::setActiveLook(bool active)
{
    m_active = active;
    SetThemeColor();
    Refresh(false);
}

void jcForms::stretchOverWindow()
{
    if (!m_window)
        return;
    if (geometry() != m_window->rect())
        setGeometry(m_window->rect());
    lower();
}

void jcForms::recordNormalBounds()
{
    if (!m_window || m_windowState != NormalState || !m_window->isWindow())
        return;
    if (m_window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    m_normalBounds = m_window->geometry();
}

void jcForms::resizeEvent(QResizeEvent *)
{
    CaptionBtnSetup();
    handleResize();
}

void jcForms::handleResize()
{
    if (m_changeAllBackgrounds)
        recolourControls();
    update();
    emit Resize();
    placeStrips();
}

void jcForms::recolourControls()
{
    if (!m_window)
        return;
    const ColourRef systemWindow = translateColour(kSysWindow);
    const QColor bg = qColour(m_backColour);
    for (QWidget *child : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child == this || child == rightStrip() || child == bottomStrip())
            continue;
        if (fromQColour(child->palette().color(child->backgroundRole())) == systemWindow)
            continue;
        QPalette pal = child->palette();
        pal.setColor(child->backgroundRole(), bg);
        child->setPalette(pal);
    }
}

} // namespace skin
