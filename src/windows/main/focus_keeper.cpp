#include "windows/main/focus_keeper.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

FocusKeeper::FocusKeeper(QWidget *window, QWidget *list) : QObject(window), m_window(window), m_list(list)
{
    window->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { remember(now); });
}

void FocusKeeper::remember(QWidget *now)
{
    if (now && now != m_window && m_window->isAncestorOf(now))
        m_last = now;
}

void FocusKeeper::beforeDisabling(const QList<QWidget *> &controls)
{
    QWidget *focused = m_window->focusWidget();
    if (focused && controls.contains(focused) && m_list)
        m_list->setFocus(Qt::OtherFocusReason);
}

void FocusKeeper::restore()
{
    QWidget *focused = m_window->focusWidget();
    if (focused && focused->isEnabled())
        return;
    QWidget *target = m_last && m_last->isEnabled() && m_last->isVisible() ? m_last.data() : m_list.data();
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

bool FocusKeeper::eventFilter(QObject *watched, QEvent *event)
{
    // The whole window enabled again (a details or naming-rule window closed): its focus was
    // cleared when it was disabled.
    if (watched == m_window && event->type() == QEvent::EnabledChange && m_window->isEnabled())
        restore();
    return QObject::eventFilter(watched, event);
}
