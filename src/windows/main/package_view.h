#pragma once

#include <QTimer>
#include <QTreeView>

// The package list: rows of the list model in report view, hot tracking (the row under the pointer
// is highlighted) and hover selection (a row the pointer rests on becomes selected). Presses and
// double-clicks anywhere over the rows are reported; dropped local files are handed on.
class PackageView : public QTreeView
{
    Q_OBJECT
public:
    explicit PackageView(QWidget *parent = nullptr);

    // Selects the row under the point (viewport pixels), as resting the pointer there does.
    void selectRowAt(const QPoint &pos);
    // The focused row's position (1-based), 0 when there is none.
    int focusedPosition() const;

signals:
    void rightPressed(const QPoint &globalPos);
    void otherPressed();
    void doubleClickedList();
    void filesDropped(const QStringList &paths);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QTimer m_hover;
    QPoint m_hoverPos;
};

// The local files among dropped data, in their order.
QStringList droppedLocalFiles(const class QMimeData *data);
