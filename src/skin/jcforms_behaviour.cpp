// The themed window frame: run-time start, hooks, pointer, caption buttons, resize
// strips, window menu and window state.
#include "skin/jcforms.h"

#include "skin/draw_primitives.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
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

// A thin strip along the right or bottom edge by which the window is resized.
class ResizeStrip : public QWidget
{
public:
    ResizeStrip(jcForms *frame, bool right, QWidget *parent) : QWidget(parent), m_frame(frame), m_right(right)
    {
        setMouseTracking(true);
    }

    // The resize mode this point of the strip stands for.
    int modeAt(QPoint pos) const
    {
        QWidget *w = parentWidget();
        const int t = m_frame->titleHeight();
        if (m_right)
            return pos.y() > w->height() - t - 20 ? jcForms::ResizeBoth : jcForms::ResizeWidth;
        return w->width() - (x() + pos.x()) <= 15 ? jcForms::ResizeBoth : jcForms::ResizeHeight;
    }

protected:
    bool reacts() const { return m_frame->BorderStyle() == 1 && !m_frame->isMaximisedByFrame(); }

    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const ColorRef c = m_frame->darkColor();
        p.fillRect(rect(), QColor(refRed(c), refGreen(c), refBlue(c)));
    }

    void mousePressEvent(QMouseEvent *e) override
    {
        if (reacts() && e->button() == Qt::LeftButton)
            m_frame->setResizeMode(modeAt(e->position().toPoint()));
    }

    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (!reacts()) {
            unsetCursor();
            return;
        }
        if (m_frame->resizeMode() == jcForms::NoResize) {
            switch (modeAt(e->position().toPoint())) {
            case jcForms::ResizeBoth:
                setCursor(Qt::SizeFDiagCursor);
                break;
            case jcForms::ResizeWidth:
                setCursor(Qt::SizeHorCursor);
                break;
            default:
                setCursor(Qt::SizeVerCursor);
                break;
            }
            return;
        }
        m_frame->pointerMove(e->buttons(), e->modifiers(), mapTo(parentWidget(), e->position().toPoint()));
    }

    void mouseReleaseEvent(QMouseEvent *) override { m_frame->setResizeMode(jcForms::NoResize); }

private:
    jcForms *m_frame;
    bool m_right;
};

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
    if (m_windowState == 1)
        m_window->setWindowState(m_window->windowState() | Qt::WindowMinimized);
    else if (m_windowState == 2) {
        m_windowState = 0;
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
                           QEvent::WindowTitleChange, QEvent::WindowIconChange})
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
        if (m_windowState == 2 && !m_picRight && MaxButton()) {
            m_windowState = 0;
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
    if (!m_window || m_windowState != 0 || !m_window->isWindow())
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
    const ColorRef systemWindow = translateColor(kSysWindow);
    const QColor bg(refRed(m_backColor), refGreen(m_backColor), refBlue(m_backColor));
    for (QWidget *child : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child == this || child == m_picRight || child == m_picBottom)
            continue;
        if (fromQColor(child->palette().color(child->backgroundRole())) == systemWindow)
            continue;
        QPalette pal = child->palette();
        pal.setColor(child->backgroundRole(), bg);
        child->setPalette(pal);
    }
}

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
    const bool shown = m_windowState != 2;
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

    if (m_windowState == 2 || !m_window)
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
    if (m_pressed < 0 && y < m_titleHeight) {
        const int lm = leftmostButton();
        if (lm < 0 || x < m_button[lm].left) {
            // Where the window system cannot take the drag, the frame moves the window itself.
            if (m_manualDrag || !beginSystemMove()) {
                m_manualDrag = true;
                if (m_window->isWindow())
                    m_window->move(m_dragWindowPos + (mapToGlobal(pos) - m_dragFrom));
            }
        }
    }
    recordNormalBounds();
}

void jcForms::mouseMoveEvent(QMouseEvent *e)
{
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
        m_dragFrom = mapToGlobal(pos);
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
    m_manualDrag = false;
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

// ---------------------------------------------------------------------------------------
// Window state

void jcForms::jcWindowState(bool toggle)
{
    if (!m_window || !toggle)
        return;

    auto enable = [this](int index, bool on) {
        if (QAction *a = m_items.value(index))
            a->setEnabled(on);
    };
    if (m_windowState != 2) {
        recordNormalBounds();
        m_windowState = 2;
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
        m_windowState = 0;
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

// ---------------------------------------------------------------------------------------
// Window menu

void jcForms::applyLanguage(const QString &languageName)
{
    m_languageName = languageName;
    if (!m_menu) {
        m_menu = new QMenu(QStringLiteral("Menu"), this);
        const QStringList design = {QStringLiteral("还原"),
                                    QStringLiteral("移动"),
                                    QStringLiteral("大小"),
                                    QStringLiteral("最小化"),
                                    QStringLiteral("最大化"),
                                    QStringLiteral("-"),
                                    QStringLiteral("关闭(&C)        Alt+F4"),
                                    QStringLiteral("-"),
                                    QStringLiteral("总在最前面")};
        for (int i = 0; i < design.size(); ++i) {
            auto *a = new QAction(design[i], m_menu);
            a->setSeparator(design[i] == QLatin1String("-"));
            connect(a, &QAction::triggered, this, [this, i] { menuChosen(i); });
            m_menu->addAction(a);
            m_items.insert(i, a);
        }
        m_items[MenuOnTop]->setCheckable(true);
        m_items[MenuRestore]->setEnabled(false);
    }
    const bool spanish = languageName == QLatin1String("Spanish");
    const QMap<int, QString> captions =
        spanish
            ? QMap<int, QString>{{0, QStringLiteral("&Restaurar")},      {1, QStringLiteral("&Mover")},
                                 {2, QStringLiteral("&Tamaño")},         {3, QStringLiteral("Mi&nimizar")},
                                 {4, QStringLiteral("Ma&ximizar")},      {6, QStringLiteral("&Cerrar")},
                                 {8, QStringLiteral("&Siempre Visible")}}
            : QMap<int, QString>{{0, QStringLiteral("还原(&R)")},   {1, QStringLiteral("移动(&M)")},
                                 {2, QStringLiteral("大小(&S)")},   {3, QStringLiteral("最小化(&X)")},
                                 {4, QStringLiteral("最大化(&N)")}, {6, QStringLiteral("关闭(&C)")},
                                 {8, QStringLiteral("置顶(&T)")}};
    for (auto it = captions.begin(); it != captions.end(); ++it)
        m_items[it.key()]->setText(it.value());
    if (spanish) {
        // The Spanish captions have no fixed-width prefix to cut a tooltip from.
        auto plain = [](QString s) { return s.remove(QLatin1Char('&')); };
        m_closeTip = plain(captions[6]);
        m_minTip = plain(captions[3]);
        m_maxTip = plain(captions[4]);
        m_restoreTip = plain(captions[0]);
    } else {
        m_closeTip = captions[6].left(2);
        m_minTip = captions[3].left(3);
        m_maxTip = captions[4].left(3);
        m_restoreTip = QStringLiteral("向下") + captions[0].left(2);
    }
    for (int i : {0, 2, 3, 4})
        m_items[i]->setVisible(false);
    m_items[MenuClose]->setEnabled(CloseButton());
    CaptionBtnSetup();
}

void jcForms::showMenuAtCursor()
{
    if (m_menu)
        m_menu->popup(QCursor::pos());
}

void jcForms::menuChosen(int index)
{
    switch (index) {
    case MenuRestore:
    case MenuMaximise:
        jcWindowState(true);
        break;
    case MenuMove:
        keyboardMoveOrSize(false);
        break;
    case MenuSize:
        keyboardMoveOrSize(true);
        break;
    case MenuMinimise:
        setHot(-1);
        if (m_window)
            m_window->showMinimized();
        break;
    case MenuClose:
        closeWindow(true);
        break;
    case MenuOnTop:
        SetAlwaysOnTop(m_items[MenuOnTop]->isChecked());
        break; // already flipped by the menu
    default:
        if (QAction *a = m_items.value(index)) {
            // Check marks of added items belong to the window, not to the click.
            if (a->isCheckable())
                a->setChecked(!a->isChecked());
            emit MenuItemSelected(index, a->text());
        }
        break;
    }
}

void jcForms::keyboardMoveOrSize(bool size)
{
    if (!m_window)
        return;
    m_keyboardGrab = true;
    grabMouse(Qt::SizeAllCursor);
    const int y = size ? m_window->height() / 2 : 16;
    QCursor::setPos(m_window->mapToGlobal(QPoint(m_window->width() / 2, y)));
}

void jcForms::FormMenuAdd(const QString &caption, bool addSeparator, bool enabled, bool checked, bool visible)
{
    if (!m_menu)
        return;
    auto append = [this]() {
        const int index = m_items.isEmpty() ? 0 : m_items.lastKey() + 1;
        auto *a = new QAction(m_menu);
        connect(a, &QAction::triggered, this, [this, index] { menuChosen(index); });
        m_menu->addAction(a);
        m_items.insert(index, a);
        return a;
    };
    if (addSeparator) {
        QAction *sep = append();
        sep->setText(QStringLiteral("-"));
        sep->setSeparator(true);
    }
    QAction *a = append();
    a->setText(caption);
    a->setEnabled(enabled);
    a->setCheckable(checked);
    a->setChecked(checked);
    a->setVisible(visible);
}

void jcForms::FormMenuShow(qint16 n)
{
    m_popupEnabled = n == 1;
}

void jcForms::ModifyAddedMenu(int index, const QString &caption, bool enabled, bool checked, bool visible)
{
    QAction *a = index > 8 ? m_items.value(index) : nullptr;
    if (!a)
        return;
    if (!caption.isEmpty())
        a->setText(caption);
    a->setEnabled(enabled);
    if (checked)
        a->setCheckable(true);
    a->setChecked(checked);
    a->setVisible(visible);
}

void jcForms::FormMenuRemove(int index)
{
    if (index <= 8 || !m_items.contains(index))
        return;
    const bool wasLast = index == m_items.lastKey();
    delete m_items.take(index);
    // An added separator left at the end goes with the item it introduced.
    if (wasLast && !m_items.isEmpty()) {
        const int before = m_items.lastKey();
        if (before > 8 && m_items[before]->isSeparator())
            delete m_items.take(before);
    }
}

QVariant jcForms::GetMenuItemValue(int index, int property) const
{
    QAction *a = m_items.value(index);
    if (!a)
        return QVariant();
    switch (property) {
    case 0:
        return a->isSeparator() ? QStringLiteral("-") : a->text();
    case 1:
        return a->isEnabled();
    case 2:
        return a->isChecked();
    case 3:
        return a->isVisible();
    default:
        return QVariant();
    }
}

void jcForms::SetjcFormsMenuCaption(int index, const QString &caption)
{
    if (caption.isEmpty() || (!(index >= 0 && index <= 4) && index != 6 && index != 8))
        return;
    QAction *a = m_items.value(index);
    if (!a)
        return;
    if (index == MenuClose) {
        a->setText(caption + QStringLiteral("            Alt+F4"));
        m_closeTip = caption;
    } else {
        a->setText(caption);
        if (index == MenuMinimise)
            m_minTip = caption;
    }
    CaptionBtnSetup();
}

void jcForms::SetAlwaysOnTop(bool on)
{
    if (m_window && m_window->isWindow()) {
        // Qt hides a window whose flags change; a shown window is shown again, a window
        // not shown yet stays hidden until its owner shows it.
        const bool shown = m_window->isVisible();
        m_window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        if (shown)
            m_window->show();
    }
    if (QAction *a = m_items.value(MenuOnTop))
        a->setChecked(on);
}

} // namespace skin
