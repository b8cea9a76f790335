#include "windows/main/package_view.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {
// How long the pointer rests on a row before hover selection takes it (the desktop's usual time).
constexpr int kHoverMs = 400;
// The narrowest the file-name column becomes beside the scroll bar.
constexpr int kNarrowestYielding = 60;

// Every row as high as the view says, whatever its text: a row of Latin text alone is otherwise
// lower than one with Chinese in it, and the first row would set the height of all.
class FixedRowDelegate : public QStyledItemDelegate
{
public:
    explicit FixedRowDelegate(PackageView *view) : QStyledItemDelegate(view), m_view(view) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_view->rowHeight()};
    }

private:
    PackageView *m_view;
};

} // namespace

int yieldingColumnWidth(const QList<int> &designWidths, int yielding, int room, int minimum)
{
    if (yielding < 0 || yielding >= designWidths.size())
        return 0;
    int total = 0;
    for (int width : designWidths)
        total += width;
    const int design = designWidths[yielding];
    const int excess = total - room;
    if (excess <= 0)
        return design;
    return std::max(std::min(design, minimum), design - excess);
}

QStringList droppedLocalFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

PackageView::PackageView(QWidget *parent) : QTreeView(parent)
{
    setObjectName(QStringLiteral("ListView1"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectRows);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setStyleSheet(QStringLiteral("QTreeView::item:hover:!selected { background: #dcecfc; }"));
    setItemDelegate(new FixedRowDelegate(this));
    measureRows();
    m_hover.setSingleShot(true);
    m_hover.setInterval(kHoverMs);
    connect(&m_hover, &QTimer::timeout, this, [this] {
        // Only a pointer still resting over the rows selects; one that went on to the header or
        // out of the list does not.
        if (QApplication::mouseButtons() == Qt::NoButton && viewport()->underMouse())
            selectRowAt(m_hoverPos);
    });
}

void PackageView::selectRowAt(const QPoint &pos)
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || !selectionModel())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void PackageView::setDesignColumnWidths(const QList<int> &widths, int yielding)
{
    m_designWidths = widths;
    m_yielding = yielding;
    for (int c = 0; c < int(widths.size()); ++c)
        setColumnWidth(c, widths[c]);
    fitColumns();
}

void PackageView::fitColumns()
{
    if (m_yielding < 0 || !model())
        return;
    QList<int> visible;
    int yieldingAt = -1;
    for (int c = 0; c < int(m_designWidths.size()); ++c) {
        if (isColumnHidden(c))
            continue;
        if (c == m_yielding)
            yieldingAt = int(visible.size());
        visible << m_designWidths[c];
    }
    const int width = yieldingColumnWidth(visible, yieldingAt, viewport()->width(), kNarrowestYielding);
    if (yieldingAt >= 0 && columnWidth(m_yielding) != width)
        setColumnWidth(m_yielding, width);
}

void PackageView::measureRows()
{
    QTextLayout line(QStringLiteral("程序Ag"), font());
    line.beginLayout();
    const QTextLine first = line.createLine();
    line.endLayout();
    m_rowHeight = int(std::ceil(first.height())) + 4;
    // uniformRowHeights keeps the first row's height: have it asked again.
    doItemsLayout();
}

bool PackageView::viewportEvent(QEvent *event)
{
    // The scroll bar showing or going changes the room the columns have.
    const bool handled = QTreeView::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        fitColumns();
    return handled;
}

void PackageView::changeEvent(QEvent *event)
{
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        measureRows();
}

int PackageView::focusedPosition() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void PackageView::mousePressEvent(QMouseEvent *event)
{
    m_hover.stop();
    QTreeView::mousePressEvent(event);
    if (event->button() == Qt::RightButton)
        emit rightPressed(event->globalPosition().toPoint());
    else
        emit otherPressed();
}

void PackageView::mouseMoveEvent(QMouseEvent *event)
{
    QTreeView::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton) {
        m_hoverPos = event->position().toPoint();
        m_hover.start();
    }
}

void PackageView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeView::mouseDoubleClickEvent(event);
    emit doubleClickedList();
}

void PackageView::leaveEvent(QEvent *event)
{
    m_hover.stop();
    QTreeView::leaveEvent(event);
}

void PackageView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void PackageView::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void PackageView::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    emit filesDropped(droppedLocalFiles(event->mimeData()));
}
