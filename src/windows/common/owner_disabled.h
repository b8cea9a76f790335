#pragma once

#include <QPointer>
#include <QWidget>

// Keeps a window's owner disabled while it lives and enables it again however the window ends:
// the details windows and the naming-rule window hold one while they are open.
class OwnerDisabled
{
public:
    explicit OwnerDisabled(QWidget *owner) : m_owner(owner)
    {
        if (m_owner)
            m_owner->setEnabled(false);
    }
    ~OwnerDisabled()
    {
        if (m_owner)
            m_owner->setEnabled(true);
    }
    OwnerDisabled(const OwnerDisabled &) = delete;
    OwnerDisabled &operator=(const OwnerDisabled &) = delete;

private:
    QPointer<QWidget> m_owner;
};
