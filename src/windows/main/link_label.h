#pragma once

#include <QLabel>

// A label that acts as a link: its own pointer over it, clicked on a left-button release inside.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
