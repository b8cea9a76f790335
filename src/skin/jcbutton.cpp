#include "skin/jcbutton.h"

#include "skin/jcbutton_draw.h"
#include "skin/property_bag.h"
#include "skin/subclassing.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

using namespace skin;

namespace {

// 220 twips at 15 twips to the pixel, rounded up.
constexpr int kMinimumSide = 15;

const QString kDefaultCaption = QStringLiteral("jcbutton");
// The name a newly placed button gets; equal captions are not written.
const QString kUnwrittenCaption = QStringLiteral("jcbutton1");

QVariant pictureVariant(const QPixmap &pixmap)
{
    return pixmap.isNull() ? QVariant() : QVariant::fromValue(pixmap);
}

QPixmap readPicture(const PropertyBag &bag, const QString &name)
{
    return bag.read(name, QVariant()).value<QPixmap>();
}

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

jcbutton::jcbutton(QWidget *parent) : QAbstractButton(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(kMinimumSide, kMinimumSide);
    setText(kDefaultCaption);
    applyStyleDefaults();
    m_containerActive = window()->isActiveWindow();
}

jcbutton::~jcbutton()
{
    // Unhook while the button is still whole; its children go before it is.
    delete m_hooks;
    m_hooks = nullptr;
}

jcbutton::StyleDefaults jcbutton::styleDefaults(int style)
{
    switch (style) {
    case 0:
    case 1:
        return {kSysButtonFace, kSysButtonText, true, 0};
    case 8:
        return {kSysButtonFace, kSysButtonText, false, 3};
    case 2:
        return {0xE7EBEC, kSysButtonText, false, 3};
    case 3:
        return {kSysButtonFace, kSysButtonText, false, 4};
    case 4:
        return {ShiftColor(0xD4D4D4, 0.06), kSysButtonText, false, 3};
    case 5:
        return {0xAA6D00, 0xFFFFFF, true, 0};
    case 6:
        return {0xE1D6D5, kSysButtonText, true, 3};
    case 7:
        return {0xFFD1AD, 0x8B4215, false, 0};
    case 10:
        return {0xFFD1AD, 0x8B4215, false, 4};
    case 13:
        return {0xFCE1CA, kSysButtonText, false, 0};
    case 14:
        return {0xD0D0D0, kSysButtonText, false, 18};
    case 15:
        return {0xE6CAA7, kSysButtonText, true, 0};
    default: // 9, 11, 12
        return {kSysButtonFace, kSysButtonText, false, 0};
    }
}

void jcbutton::applyStyleDefaults()
{
    const StyleDefaults d = styleDefaults(m_style);
    m_backColor = d.back;
    m_foreColor = d.fore;
    m_showFocusRect = d.showFocusRect;
    updateShape();
    update();
}

// ---------------------------------------------------------------------------------------
// Persisted properties

void jcbutton::InitProperties(const QString &nameOnContainer)
{
    m_style = 0;
    applyStyleDefaults();
    m_showFocusRect = true;
    if (QWidget *c = container()) {
        QFont f = c->font();
        f.setFamily(QStringLiteral("Tahoma"));
        setFont(f);
    }
    setEnabled(true);
    setCaption(nameOnContainer);
    m_value = false;
    m_mousePointer = 0;
    m_handPointer = false;
    m_mouseIcon = m_picture = m_pictureHover = QPixmap();
    m_pictureSize = 0;
    m_maskColor = 0xE0E0E0;
    m_useMaskColor = false;
    m_checkBoxMode = false;
    m_pictureAlign = PictureLeftOfCaption;
    m_captionAlign = 1;
    updatePointer();
    update();
}

void jcbutton::ReadProperties(const PropertyBag &bag)
{
    const QFont containerFont = container() ? container()->font() : QApplication::font();
    setButtonStyle(bag.read<int>(QStringLiteral("ButtonStyle"), 1));
    m_showFocusRect = bag.read<bool>(QStringLiteral("ShowFocusRect"), false);
    const QFont f = bag.read<QFont>(QStringLiteral("Font"), containerFont);
    // The container's own font is inherited rather than copied, so it follows later changes.
    setFont(f == containerFont ? QFont() : f);
    m_backColor = bag.read<ColorRef>(QStringLiteral("BackColor"), kSysButtonFace);
    setEnabled(bag.read<bool>(QStringLiteral("Enabled"), true));
    setCaption(bag.read<QString>(QStringLiteral("Caption"), kDefaultCaption));
    m_value = bag.read<bool>(QStringLiteral("Value"), false);
    m_mousePointer = bag.read<int>(QStringLiteral("MousePointer"), 0);
    m_handPointer = bag.read<bool>(QStringLiteral("HandPointer"), false);
    m_mouseIcon = readPicture(bag, QStringLiteral("MouseIcon"));
    m_picture = readPicture(bag, QStringLiteral("Picture"));
    m_pictureHover = readPicture(bag, QStringLiteral("PictureHover"));
    m_pictureSize = bag.read<int>(QStringLiteral("PictureSize"), 0);
    m_maskColor = bag.read<ColorRef>(QStringLiteral("MaskColor"), 0xE0E0E0);
    m_useMaskColor = bag.read<bool>(QStringLiteral("UseMaskCOlor"), false);
    m_checkBoxMode = bag.read<bool>(QStringLiteral("CheckBoxMode"), false);
    m_pictureAlign = bag.read<int>(QStringLiteral("PictureAlign"), PictureLeftOfCaption);
    m_captionAlign = bag.read<int>(QStringLiteral("CaptionAlign"), 1);
    m_foreColor = bag.read<ColorRef>(QStringLiteral("ForeColor"), kSysButtonText);
    updatePointer();
    installHooks();
    update();
}

void jcbutton::WriteProperties(PropertyBag &bag) const
{
    const QFont containerFont = container() ? container()->font() : QApplication::font();
    bag.write<int>(QStringLiteral("ButtonStyle"), m_style, 1);
    bag.write<bool>(QStringLiteral("ShowFocusRect"), m_showFocusRect, false);
    bag.write<QFont>(QStringLiteral("Font"), font(), containerFont);
    bag.write<ColorRef>(QStringLiteral("BackColor"), m_backColor, kSysButtonFace);
    bag.write<bool>(QStringLiteral("Enabled"), isEnabled(), true);
    bag.write<QString>(QStringLiteral("Caption"), text(), kUnwrittenCaption);
    bag.write<bool>(QStringLiteral("Value"), m_value, false);
    bag.write<int>(QStringLiteral("MousePointer"), m_mousePointer, 0);
    bag.write<bool>(QStringLiteral("HandPointer"), m_handPointer, false);
    bag.write(QStringLiteral("MouseIcon"), pictureVariant(m_mouseIcon), QVariant());
    bag.write(QStringLiteral("Picture"), pictureVariant(m_picture), QVariant());
    bag.write(QStringLiteral("PictureHover"), pictureVariant(m_pictureHover), QVariant());
    bag.write<int>(QStringLiteral("PictureSize"), m_pictureSize, 0);
    bag.write<ColorRef>(QStringLiteral("MaskColor"), m_maskColor, 0xE0E0E0);
    bag.write<bool>(QStringLiteral("UseMaskCOlor"), m_useMaskColor, false);
    bag.write<bool>(QStringLiteral("CheckBoxMode"), m_checkBoxMode, false);
    bag.write<int>(QStringLiteral("PictureAlign"), m_pictureAlign, PictureLeftOfCaption);
    bag.write<int>(QStringLiteral("CaptionAlign"), m_captionAlign, 1);
    bag.write<ColorRef>(QStringLiteral("ForeColor"), m_foreColor, kSysButtonText);
}

void jcbutton::setButtonStyle(int style)
{
    m_style = std::clamp(style, 0, 15);
    applyStyleDefaults();
}

void jcbutton::setShowFocusRect(bool on)
{
    m_showFocusRect = on;
    update();
}

void jcbutton::setBackColor(ColorRef colour)
{
    m_backColor = colour;
    update();
}

void jcbutton::setForeColor(ColorRef colour)
{
    m_foreColor = colour;
    update();
}

void jcbutton::setCaption(const QString &caption)
{
    // setText also takes the access key ("&x") of the caption.
    setText(caption);
    update();
}

void jcbutton::setValue(bool value)
{
    m_value = value;
    update();
}

void jcbutton::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    updatePointer();
}

void jcbutton::setHandPointer(bool on)
{
    m_handPointer = on;
    updatePointer();
}

void jcbutton::setMouseIcon(const QPixmap &icon)
{
    m_mouseIcon = icon;
    updatePointer();
}

void jcbutton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void jcbutton::setPictureHover(const QPixmap &picture)
{
    m_pictureHover = picture;
    update();
}

void jcbutton::setPictureSize(int size)
{
    m_pictureSize = size;
    update();
}

void jcbutton::setMaskColor(ColorRef colour)
{
    m_maskColor = colour;
    update();
}

void jcbutton::setUseMaskColor(bool on)
{
    m_useMaskColor = on;
    update();
}

void jcbutton::setCheckBoxMode(bool on)
{
    m_checkBoxMode = on;
    update();
}

void jcbutton::setPictureAlign(int align)
{
    m_pictureAlign = align;
    update();
}

void jcbutton::setCaptionAlign(int align)
{
    m_captionAlign = align;
    update();
}

void jcbutton::setDefault(bool on)
{
    m_isDefault = on;
    update();
}

void jcbutton::About()
{
    QMessageBox::about(this, QStringLiteral("关于 jcbutton"),
                       QStringLiteral("jcbutton 多样式按钮\n\n十六种绘制样式，支持热点、按下与选中外观、"
                                      "按钮图片和复选模式。"));
}

QSize jcbutton::sizeHint() const
{
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, this->text());
    return QSize(std::max(75, text.width() + 24), std::max(23, text.height() + 10));
}

QSize jcbutton::minimumSizeHint() const
{
    return QSize(kMinimumSide, kMinimumSide);
}

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
        setMask(RoundRectRegion(width(), height(), corner, corner));
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

// ---------------------------------------------------------------------------------------

void jcbutton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, render(Qt::transparent));
}
