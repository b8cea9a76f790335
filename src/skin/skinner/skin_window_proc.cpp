// The shared hook of every skinned widget: painting by kind, the pointer and key states
// the painting shows, and the reach to windows and lists that appear later.
#include "skin/common/draw_helpers.h"
#include "skin/skinner/control_painting.h"
#include "skin/skinner/skinner_state.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace skin {

namespace {

bool isLeftButton(const QEvent *e)
{
    return static_cast<const QMouseEvent *>(e)->button() == Qt::LeftButton;
}

bool isSpaceKey(const QEvent *e)
{
    const auto *k = static_cast<const QKeyEvent *>(e);
    return k->key() == Qt::Key_Space && !k->isAutoRepeat();
}

// Whether window is owned by owner: owner is one of its parents.
bool isOwnedBy(const QWidget *window, const QWidget *owner)
{
    for (const QWidget *w = window ? window->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (w == owner)
            return true;
    }
    return false;
}

void paintedAndHandled(SubclassCall &call)
{
    call.suppress = true;
    call.result = true;
}

// Pointer and key state shared by combo boxes, check boxes and option buttons.
bool trackPointer(SkinRecord &r, const QEvent *e)
{
    switch (e->type()) {
    case QEvent::Enter:
        r.mouseOver = true;
        return true;
    case QEvent::Leave:
        r.mouseOver = false;
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        r.mouseDown = r.mouseDown || isLeftButton(e);
        return true;
    case QEvent::MouseButtonRelease:
        if (isLeftButton(e))
            r.mouseDown = false;
        return true;
    case QEvent::KeyPress:
        r.mouseDown = r.mouseDown || isSpaceKey(e);
        return true;
    case QEvent::KeyRelease:
        if (isSpaceKey(e))
            r.mouseDown = false;
        return true;
    default:
        return false;
    }
}

} // namespace

void SkinnerState::SkinWindowProc(SubclassCall &call)
{
    auto keep = m_records.value(call.window); // a handler may unskin the widget
    if (!keep || !m_images)
        return;
    SkinRecord &r = *keep;
    if (call.event->type() == QEvent::ChildPolished || call.event->type() == QEvent::WindowDeactivate) {
        reach(r, call);
        return;
    }
    switch (r.kind) {
    case SkinKind::PushButton:
        pushButtonEvent(r, call);
        break;
    case SkinKind::ComboBox:
        comboEvent(r, call);
        break;
    case SkinKind::CheckBox:
    case SkinKind::OptionButton:
        checkEvent(r, call);
        break;
    case SkinKind::ProgressBar:
        progressEvent(r, call);
        break;
    case SkinKind::Header:
        headerEvent(r, call);
        break;
    case SkinKind::ListBox:
        listEvent(r, call);
        break;
    case SkinKind::Container:
    case SkinKind::Other:
        break;
    }
}

void SkinnerState::reach(SkinRecord &r, SubclassCall &call)
{
    if (call.event->type() == QEvent::ChildPolished) {
        // A control added later, a window this one owns about to be shown, or the drop-down
        // list of a combo box about to open.
        // Polishing can come early, from inside a constructor: a widget not yet shown is
        // skinned when it is, so that it is whole by then.
        auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(call.event)->child());
        if (!child || m_records.contains(child))
            return;
        if (child->isVisible())
            skin(child);
        else
            skinWhenShown(child);
        return;
    }
    // The window lost activation: to a window it owns, which is then skinned.
    QWidget *active = QApplication::activeWindow();
    if (active && active != r.widget && isOwnedBy(active, r.widget))
        skin(active);
}

void SkinnerState::pushButtonEvent(SkinRecord &r, SubclassCall &call)
{
    ButtonSkin &b = *r.button;
    QWidget *w = r.widget;
    const QEvent *e = call.event;
    switch (e->type()) {
    case QEvent::Paint: {
        QPainter p(w);
        b.paint(p);
        paintedAndHandled(call);
        break;
    }
    case QEvent::Enter:
        r.mouseOver = true;
        if (w->isEnabled())
            b.enter();
        break;
    case QEvent::Leave:
        r.mouseOver = false;
        if (w->isEnabled())
            b.leave();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (w->isEnabled() && isLeftButton(e))
            b.press();
        break;
    case QEvent::MouseButtonRelease:
        if (w->isEnabled() && isLeftButton(e))
            b.release();
        break;
    case QEvent::KeyPress:
        if (w->isEnabled() && isSpaceKey(e))
            b.press();
        break;
    case QEvent::KeyRelease:
        if (w->isEnabled() && isSpaceKey(e))
            b.release();
        break;
    case QEvent::EnabledChange:
        b.enabledChanged(w->isEnabled());
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        b.refocus();
        break;
    case QEvent::Resize:
        w->setMask(roundRectRegion(w->width(), w->height(), 3, 3));
        w->update();
        break;
    default:
        break;
    }
}

void SkinnerState::comboEvent(SkinRecord &r, SubclassCall &call)
{
    auto *combo = static_cast<QComboBox *>(r.widget.data());
    if (call.event->type() != QEvent::Paint) {
        if (trackPointer(r, call.event))
            combo->update();
        return;
    }
    const auto *list = combo->findChild<QAbstractItemView *>(); // there only once opened
    const bool open = list && list->isVisible();
    QPainter p(combo);
    paintComboBox(p, combo, *m_images, r.mouseOver, r.mouseDown || open);
    paintedAndHandled(call);
}

void SkinnerState::checkEvent(SkinRecord &r, SubclassCall &call)
{
    auto *button = static_cast<QAbstractButton *>(r.widget.data());
    if (call.event->type() != QEvent::Paint) {
        const bool released = call.event->type() == QEvent::MouseButtonRelease;
        if (trackPointer(r, call.event))
            button->update();
        if (released && button->parentWidget()) {
            // A click may change its neighbours (option buttons of one group).
            for (QAbstractButton *other :
                 button->parentWidget()->findChildren<QAbstractButton *>(Qt::FindDirectChildrenOnly)) {
                if (qobject_cast<QCheckBox *>(other) || qobject_cast<QRadioButton *>(other))
                    other->update();
            }
        }
        return;
    }
    const int state = !button->isEnabled() ? CellDisabled
                      : r.mouseDown        ? CellPressed
                      : r.mouseOver        ? CellHot
                                           : CellNormal;
    QPainter p(button);
    paintCheckBox(p, button, *m_images, state);
}

void SkinnerState::progressEvent(SkinRecord &r, SubclassCall &call)
{
    QPainter p(r.widget);
    paintProgressBar(p, static_cast<QProgressBar *>(r.widget.data()), *m_images);
    paintedAndHandled(call);
}

void SkinnerState::headerEvent(SkinRecord &r, SubclassCall &call)
{
    QWidget *viewport = r.widget;
    auto *header = static_cast<QHeaderView *>(viewport->parentWidget());
    const QEvent *e = call.event;
    auto itemAt = [&] {
        const QPoint pos = static_cast<const QMouseEvent *>(e)->position().toPoint();
        return header->logicalIndexAt(pos);
    };
    const int hot = r.hotItem, pressed = r.pressedItem;
    switch (e->type()) {
    case QEvent::Paint: {
        QPainter p(viewport);
        paintHeader(p, header, *m_images, r.hotItem, r.pressedItem);
        paintedAndHandled(call);
        return;
    }
    case QEvent::Enter:
        r.mouseOver = true;
        break;
    case QEvent::MouseMove:
        r.mouseOver = true;
        r.hotItem = itemAt();
        break;
    case QEvent::Leave:
        r.mouseOver = false;
        r.hotItem = -1;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (isLeftButton(e))
            r.pressedItem = itemAt();
        break;
    case QEvent::MouseButtonRelease:
        if (isLeftButton(e))
            r.pressedItem = -1;
        break;
    default:
        break;
    }
    if (hot != r.hotItem || pressed != r.pressedItem)
        viewport->update();
}

void SkinnerState::listEvent(SkinRecord &r, SubclassCall &call)
{
    if (call.event->type() == QEvent::EnabledChange) {
        r.widget->update();
        return;
    }
    if (call.event->type() == QEvent::Hide) {
        // A combo box's list closed: the press that opened it never comes back as a release
        // to the combo box (the list had the pointer), so its drop button is let go here.
        for (QWidget *up = r.widget->parentWidget(); up; up = up->parentWidget()) {
            if (qobject_cast<QComboBox *>(up)) {
                if (SkinRecord *combo = record(up))
                    combo->mouseDown = false;
                up->update();
                break;
            }
        }
        return;
    }
    QPainter p(r.widget);
    paintListOutline(p, r.widget);
}

} // namespace skin
