#pragma once

#include "app/main_hints.h"

#include <QHash>
#include <QObject>

class QLabel;
class QWidget;

// Writes a control's hint into the status label whenever the pointer moves over the control. The
// text stays until another hint or a label refresh replaces it; leaving restores nothing.
class HintTracker : public QObject
{
    Q_OBJECT
public:
    HintTracker(QLabel *statusLabel, QObject *parent = nullptr);

    // Follows the pointer over the widget (mouse tracking is switched on for it).
    void track(QWidget *widget, MainControl control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_status;
    QHash<QObject *, MainControl> m_controls;
};
