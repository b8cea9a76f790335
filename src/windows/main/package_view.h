#pragma once

#include <QTimer>
#include <QTreeView>

// The package list: rows of the list model in report view, hot tracking (the row under the pointer
// is highlighted) and hover selection (a row the pointer rests on becomes selected). Presses and
// double-clicks anywhere over the rows are reported; dropped local files are handed on. Every row
// has the same height, whatever script its text is in; when the vertical scroll bar shows, the
// file-name column gives up the room it takes, so that the last column stays whole.
class PackageView : public QTreeView
{
    Q_OBJECT
public:
    explicit PackageView(QWidget *parent = nullptr);

    // Selects the row under the point (viewport pixels), as resting the pointer there does.
    void selectRowAt(const QPoint &pos);
    // The focused row's position (1-based), 0 when there is none.
    int focusedPosition() const;

    // The columns' widths as designed (pixels); column `yielding` is the one that narrows.
    void setDesignColumnWidths(const QList<int> &widths, int yielding);
    // The height of every row: a line of mixed Chinese and Latin text in the view's font.
    int rowHeight() const { return m_rowHeight; }

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
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitColumns();
    void measureRows();

    QTimer m_hover;
    QPoint m_hoverPos;
    QList<int> m_designWidths;
    int m_yielding = -1;
    int m_rowHeight = 0;
};

// The width the yielding column gets so that the visible columns fit the room: its design width
// less what they exceed it by, never below `minimum` (then the view scrolls sideways instead).
// designWidths holds the visible columns only.
int yieldingColumnWidth(const QList<int> &designWidths, int yielding, int room, int minimum);

// The local files among dropped data, in their order.
QStringList droppedLocalFiles(const class QMimeData *data);
