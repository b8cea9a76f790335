#include "skin/skinner/mskinner.h"

#include "skin/common/draw_helpers.h"
#include "skin/skinner/skinner_state.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPushButton>
#include <functional>

namespace skin {

// ---------------------------------------------------------------------------------------
// The shared state

SkinnerState *SkinnerState::instance(bool create)
{
    // Owned by the application, so that it goes with it.
    static QPointer<SkinnerState> state;
    if (!state && create && QCoreApplication::instance())
        state = new SkinnerState(QCoreApplication::instance());
    return state;
}

void SkinnerState::prepare()
{
    if (!m_images)
        m_images = paintSkinImages();
}

bool SkinnerState::skin(QWidget *widget)
{
    if (!widget || m_records.contains(widget))
        return false;
    prepare(); // a skin never paints without its images
    const SkinKind kind = skinKindOf(widget);
    auto r = std::make_shared<SkinRecord>();
    r->kind = kind;
    r->widget = widget;
    m_records.insert(widget, r);
    if (kind == SkinKind::Container) {
        // Every descendant, owned windows among them, each once.
        for (QWidget *child : widget->findChildren<QWidget *>())
            skin(child);
    }
    setUp(*r);
    hook(widget, kind);
    connect(widget, &QObject::destroyed, this, [this, widget] { forget(widget); });
    widget->update();
    return true;
}

void SkinnerState::setUp(SkinRecord &r)
{
    QWidget *w = r.widget;
    switch (r.kind) {
    case SkinKind::PushButton:
        r.button = std::make_unique<ButtonSkin>(static_cast<QPushButton *>(w), *m_images);
        r.oldMask = w->mask();
        w->setMask(roundRectRegion(w->width(), w->height(), 3, 3));
        break;
    case SkinKind::ListBox:
        if (auto *frame = qobject_cast<QFrame *>(w)) {
            // A plain one-pixel frame, over which the outline is drawn.
            r.oldShape = frame->frameShape();
            r.oldShadow = frame->frameShadow();
            r.oldLineWidth = frame->lineWidth();
            frame->setFrameShape(QFrame::Box);
            frame->setFrameShadow(QFrame::Plain);
            frame->setLineWidth(1);
        }
        break;
    case SkinKind::Header:
        r.oldTracking = w->hasMouseTracking();
        w->setMouseTracking(true);
        break;
    default:
        break;
    }
}

void SkinnerState::putBack(SkinRecord &r)
{
    QWidget *w = r.widget;
    if (!w)
        return;
    switch (r.kind) {
    case SkinKind::PushButton:
        r.button.reset();
        if (r.oldMask.isEmpty())
            w->clearMask();
        else
            w->setMask(r.oldMask);
        break;
    case SkinKind::ListBox:
        if (auto *frame = qobject_cast<QFrame *>(w)) {
            frame->setFrameShape(r.oldShape);
            frame->setFrameShadow(r.oldShadow);
            frame->setLineWidth(r.oldLineWidth);
        }
        break;
    case SkinKind::Header:
        w->setMouseTracking(r.oldTracking);
        break;
    default:
        break;
    }
}

void SkinnerState::hook(QWidget *widget, SkinKind kind)
{
    m_hooks.sc_Subclass(widget, [this](SubclassCall &call) { SkinWindowProc(call); });
    auto before = [&](std::initializer_list<QEvent::Type> types) {
        for (QEvent::Type t : types)
            m_hooks.sc_AddMsg(widget, t, MSG_BEFORE);
    };
    auto after = [&](std::initializer_list<QEvent::Type> types) {
        for (QEvent::Type t : types)
            m_hooks.sc_AddMsg(widget, t, MSG_AFTER);
    };
    // Only painting over what a widget painted itself needs the after side; everything else
    // is seen before the widget, so that event filters set before the skin still see it.
    // Every kind: children that arrive later, and windows this one owns.
    before({QEvent::ChildPolished});
    const auto pointer = {QEvent::Enter, QEvent::Leave, QEvent::MouseButtonPress, QEvent::MouseButtonDblClick,
                          QEvent::MouseButtonRelease};
    switch (kind) {
    case SkinKind::Container:
        before({QEvent::WindowDeactivate});
        break;
    case SkinKind::PushButton:
        before({QEvent::Paint, QEvent::KeyPress, QEvent::KeyRelease});
        before(pointer);
        before({QEvent::EnabledChange, QEvent::FocusIn, QEvent::FocusOut, QEvent::Resize});
        break;
    case SkinKind::ComboBox:
        before({QEvent::Paint});
        before(pointer);
        break;
    case SkinKind::CheckBox:
    case SkinKind::OptionButton:
        after({QEvent::Paint});
        before({QEvent::KeyPress, QEvent::KeyRelease});
        before(pointer);
        break;
    case SkinKind::ProgressBar:
        before({QEvent::Paint});
        break;
    case SkinKind::Header:
        before({QEvent::Paint, QEvent::MouseMove});
        before(pointer);
        break;
    case SkinKind::ListBox:
        after({QEvent::Paint});
        before({QEvent::EnabledChange, QEvent::Hide});
        break;
    case SkinKind::Other:
        break;
    }
}

void SkinnerState::unskin(QWidget *widget)
{
    auto r = m_records.value(widget);
    if (!r)
        return;
    if (r->kind == SkinKind::Container) {
        for (QWidget *child : widget->findChildren<QWidget *>())
            unskin(child);
    }
    putBack(*r);
    m_hooks.sc_UnSubclass(widget);
    disconnect(widget, &QObject::destroyed, this, nullptr);
    m_records.remove(widget);
    widget->update();
    freeWhenUnused();
}

namespace {

// Skins its widget when that is shown, once, and goes.
class ShowWatcher : public QObject
{
public:
    ShowWatcher(QWidget *widget, std::function<void(QWidget *)> onShow)
        : QObject(widget), m_onShow(std::move(onShow))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *widget = static_cast<QWidget *>(watched);
            widget->removeEventFilter(this);
            deleteLater();
            m_onShow(widget);
        }
        return false;
    }

private:
    std::function<void(QWidget *)> m_onShow;
};

} // namespace

void SkinnerState::skinWhenShown(QWidget *widget)
{
    for (QObject *child : widget->children()) {
        if (dynamic_cast<ShowWatcher *>(child))
            return;
    }
    QPointer<SkinnerState> self(this);
    new ShowWatcher(widget, [self](QWidget *w) {
        if (self)
            self->skin(w);
    });
}

void SkinnerState::forget(const QObject *widget)
{
    // The widget is gone: nothing of it to put back.
    m_records.remove(static_cast<const QWidget *>(widget));
    freeWhenUnused();
}

void SkinnerState::freeWhenUnused()
{
    if (m_records.isEmpty())
        m_images.reset();
}

// ---------------------------------------------------------------------------------------
// The module's face

bool MSkinner::start(QWidget *window)
{
    SkinnerState *state = SkinnerState::instance(true);
    if (!state)
        return false;
    state->prepare();
    return state->skin(window);
}

bool MSkinner::SkinWindow(QWidget *widget)
{
    SkinnerState *state = SkinnerState::instance(true);
    return state && state->skin(widget);
}

void MSkinner::unskinWindow(QWidget *widget)
{
    if (SkinnerState *state = SkinnerState::instance(false))
        state->unskin(widget);
}

bool MSkinner::isSkinned(const QWidget *widget)
{
    SkinnerState *state = SkinnerState::instance(false);
    return state && state->record(widget);
}

int MSkinner::skinnedCount()
{
    SkinnerState *state = SkinnerState::instance(false);
    return state ? state->count() : 0;
}

bool MSkinner::isPrepared()
{
    return images() != nullptr;
}

const SkinImages *MSkinner::images()
{
    SkinnerState *state = SkinnerState::instance(false);
    return state ? state->images() : nullptr;
}

ButtonSkin *MSkinner::buttonSkin(const QWidget *button)
{
    SkinnerState *state = SkinnerState::instance(false);
    SkinRecord *r = state ? state->record(button) : nullptr;
    return r ? r->button.get() : nullptr;
}

} // namespace skin
