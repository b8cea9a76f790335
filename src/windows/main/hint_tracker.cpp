#include "windows/main/hint_tracker.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>

HintTracker::HintTracker(QLabel *statusLabel, QObject *parent) : QObject(parent), m_status(statusLabel) {}

void HintTracker::track(QWidget *widget, MainControl control)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    m_controls.insert(widget, control);
    connect(widget, &QObject::destroyed, this, [this](QObject *gone) { m_controls.remove(gone); });
}

bool HintTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        const auto it = m_controls.constFind(watched);
        if (it != m_controls.constEnd())
            m_status->setText(MainHints::statusText(it.value()));
    }
    return QObject::eventFilter(watched, event);
}
