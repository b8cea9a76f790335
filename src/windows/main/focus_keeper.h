#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// Keeps the keyboard focus of a window off the commands that change things when focus would
// otherwise land there by itself. Qt hands the focus of a control that is disabled to the next
// control in the tab order ("添加系统菜单", "退出程序"), where one Enter or Space would act; and a
// window that was disabled as a whole comes back with its focus cleared or on its first control.
// Here a command that is greyed hands its focus to the list, where it stays: Enter and Space there
// change nothing, and the list is what an intake has just filled. A window enabled again gets
// its focus back where it was.
class FocusKeeper : public QObject
{
    Q_OBJECT
public:
    // list: where focus waits (the package list).
    FocusKeeper(QWidget *window, QWidget *list);

    // Call before disabling these controls: when one of them has the focus, the list takes it.
    void beforeDisabling(const QList<QWidget *> &controls);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void remember(QWidget *now);
    void restore();

    QWidget *m_window;
    QPointer<QWidget> m_list;
    // The last control inside the window that had the focus.
    QPointer<QWidget> m_last;
};
