#include "windows/main/main_window.h"

#include "app/intake.h"
#include "app/startup.h"
#include "core/package_list.h"
#include "core/package_list_model.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QTreeView>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent), m_list(new PackageList(this)), m_intake(new Intake(m_list, this)),
      m_model(new PackageListModel(m_list, this)), m_view(new QTreeView(this)),
      m_countLabel(new QLabel(this)), m_hintLabel(new QLabel(this)), m_statusLabel(new QLabel(this))
{
    setWindowTitle(Startup::windowTitle());
    setAcceptDrops(true);
    resize(PackageListModel::twipsToPixels(12600), PackageListModel::twipsToPixels(8000));

    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setMouseTracking(true);
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_view->setColumnWidth(c, PackageListModel::columnWidthPixels(c));
    m_view->setColumnHidden(PackageInfo::Folder, true);

    auto *labels = new QHBoxLayout;
    labels->addWidget(m_statusLabel, 1);
    labels->addWidget(m_hintLabel, 1);
    labels->addWidget(m_countLabel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(labels);

    connect(m_intake, &Intake::batchFinished, this, &MainWindow::refreshLabels);
    refreshLabels();
}

void MainWindow::refreshLabels()
{
    const PackageList::Labels texts = m_list->labels();
    m_countLabel->setText(texts.count);
    m_hintLabel->setText(texts.hint);
    m_statusLabel->setText(texts.status);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && !m_intake->isBusy())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    m_intake->addDroppedPaths(paths);
}
