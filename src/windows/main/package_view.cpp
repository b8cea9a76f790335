#include "windows/main/package_view.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace {
// How long the pointer rests on a row before hover selection takes it (the desktop's usual time).
constexpr int kHoverMs = 400;
} // namespace

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
