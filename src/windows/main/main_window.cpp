#include "windows/main/main_window.h"

#include "app/intake.h"
#include "app/main_commands.h"
#include "app/open_request.h"
#include "app/package_icons.h"
#include "app/program_version.h"
#include "app/startup.h"
#include "core/package_list.h"
#include "core/package_list_model.h"
#include "inspect/package_reader.h"
#include "rename/name_rule.h"
#include "rename/rename_run.h"
#include "skin/button/jcbutton.h"
#include "skin/frame/jcforms.h"
#include "windows/common/button_looks.h"
#include "windows/common/file_dialog.h"
#include "windows/common/message_box.h"
#include "windows/common/program_fonts.h"
#include "windows/common/raise_listener.h"
#include "windows/common/twips.h"
#include "windows/details/details_windows.h"
#include "windows/main/about_window.h"
#include "windows/main/file_manager_commands.h"
#include "windows/main/focus_keeper.h"
#include "windows/main/hint_tracker.h"
#include "windows/main/link_label.h"
#include "windows/main/list_popup_menu.h"
#include "windows/main/package_icon_delegate.h"
#include "windows/main/package_view.h"
#include "windows/main/program_icon.h"
#include "windows/rule/name_rule_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <utility>

namespace {

// The window's client area in twips; the frame's title bar lies inside it, above the list.
constexpr int kClientWidth = 12375;
constexpr int kClientHeight = 7800;
// The command buttons' column.
constexpr int kButtonLeft = 10920;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 375;

QLabel *addLabel(QWidget *parent, const char *objectName, const QRect &geometry, Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

} // namespace

MainWindow::MainWindow(PackageReader *reader, QWidget *parent)
    : QWidget(parent), m_list(new PackageList(this)), m_reader(reader ? reader : new PackageReader(0, this)),
      m_intake(new Intake(m_list, m_reader, this)), m_model(new PackageListModel(m_list, this))
{
    setObjectName(QStringLiteral("ForMain"));
    setWindowTitle(Startup::windowTitle());
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    setFont(songtiFont());
    setFixedSize(twips(kClientWidth), twips(kClientHeight));

    // The frame first: it lies behind every other control.
    m_frame = new skin::jcForms(this);
    m_frame->setMaxButton(false);
    m_frame->setMinButton(true);
    m_frame->setBorderStyle(0);
    m_frame->setFrameStyle(5);
    const QString aboutMenuCaption = tr("关于(&A)");
    m_frame->FormMenuAdd(aboutMenuCaption, true);
    m_frame->FormMenuShow(1);
    connect(m_frame, &skin::jcForms::MenuItemSelected, this,
            [this, aboutMenuCaption](int, const QString &caption) {
                if (caption == aboutMenuCaption)
                    showAboutText();
            });

    m_view = new PackageView(this);
    m_view->setModel(m_model);
    m_view->setGeometry(twipsRect(120, 555, 10725, 6750));
    QList<int> widths;
    for (int c = 0; c < m_model->columnCount(); ++c)
        widths << twips(PackageListModel::columnSpec(c).widthTwips);
    m_view->setColumnHidden(PackageInfo::Folder, true);
    m_view->setDesignColumnWidths(widths, PackageInfo::FileName);
    // Icons wait while packages are read: an intake fills its rows as fast as it would without.
    m_icons = new PackageIcons(this);
    m_icons->yieldTo(m_reader);
    connect(m_intake, &Intake::busyChanged, m_icons, &PackageIcons::setHeld);
    m_view->setItemDelegateForColumn(PackageInfo::FileName, new PackageIconDelegate(m_icons, m_view));
    connect(m_view, &PackageView::rightPressed, this, &MainWindow::showPopup);
    connect(m_view, &PackageView::otherPressed, this, [this] {
        m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        refreshLabels();
    });
    connect(m_view, &PackageView::doubleClickedList, this, &MainWindow::openDetails);
    // Queued: the drop returns at once, and the file manager that started the drag is free again
    // before the first package is looked at.
    connect(m_view, &PackageView::filesDropped, this, &MainWindow::addDroppedFiles, Qt::QueuedConnection);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::syncSelection);

    m_statusLabel = addLabel(this, "MsLabel3", twipsRect(120, 7395, 5325, 255), Qt::AlignLeft);
    m_hintLabel = addLabel(this, "MsLabel2", twipsRect(5520, 7395, 5325, 255), Qt::AlignLeft);
    m_countLabel =
        addLabel(this, "MsLabel0", twipsRect(kButtonLeft, 5580, kButtonWidth, 255), Qt::AlignHCenter);
    m_hints = new HintTracker(m_statusLabel, this);
    m_hints->track(m_view->viewport(), MainControl::PackageList);
    m_hints->track(m_view->header(), MainControl::PackageList);

    auto *add = addButton(tr("添加文件"), "jcbutton1", 600);
    auto *remove = addButton(tr("当前删除"), "jcbutton2", 1250);
    auto *clear = addButton(tr("清空列表"), "jcbutton5", 1730);
    auto *rule = addButton(tr("命名设置"), "jcbutton6", 2350);
    auto *addEntry = addButton(tr("添加系统菜单"), "jcbutton3", 2830);
    auto *removeEntry = addButton(tr("删除系统菜单"), "jcbutton4", 3310);
    auto *start = addButton(tr("开始改名"), "ComStart", 6885);
    auto *exit = addButton(tr("退出程序"), "ComExit", 7320);
    connect(add, &QAbstractButton::clicked, this, &MainWindow::addFiles);
    connect(remove, &QAbstractButton::clicked, this, &MainWindow::removeSelected);
    connect(clear, &QAbstractButton::clicked, this, &MainWindow::clearList);
    connect(rule, &QAbstractButton::clicked, this, &MainWindow::openRuleWindow);
    connect(addEntry, &QAbstractButton::clicked, this, [this] { addFileManagerEntry(this); });
    connect(removeEntry, &QAbstractButton::clicked, this, [this] { removeFileManagerEntry(this); });
    connect(start, &QAbstractButton::clicked, this, &MainWindow::startRename);
    connect(exit, &QAbstractButton::clicked, this, &QWidget::close);
    m_hints->track(add, MainControl::AddFiles);
    m_hints->track(remove, MainControl::RemoveSelected);
    m_hints->track(clear, MainControl::ClearList);
    m_hints->track(rule, MainControl::NameRule);
    m_hints->track(addEntry, MainControl::AddShellEntry);
    m_hints->track(removeEntry, MainControl::RemoveShellEntry);
    m_hints->track(start, MainControl::StartRename);
    m_hints->track(exit, MainControl::Exit);

    auto *feedback = new LinkLabel(tr("问题反馈"), this);
    feedback->setObjectName(QStringLiteral("lblLink"));
    feedback->move(twips(11205), twips(6045));
    feedback->adjustSize();
    auto *date = new LinkLabel(ProgramVersion::date(), this);
    date->setObjectName(QStringLiteral("Label1"));
    date->move(twips(11115), twips(6405));
    date->adjustSize();
    connect(feedback, &LinkLabel::clicked, this, [this] { openAboutWindow(this); });
    connect(date, &LinkLabel::clicked, this, [this] { openAboutWindow(this); });
    m_hints->track(feedback, MainControl::FeedbackLink);
    m_hints->track(date, MainControl::DateLink);

    m_popup = new ListPopupMenu(this);
    connect(m_popup->openFile(), &QAction::triggered, this, &MainWindow::addFiles);
    connect(m_popup->removeSelected(), &QAction::triggered, this, &MainWindow::removeSelected);
    connect(m_popup->clearList(), &QAction::triggered, this, &MainWindow::clearList);
    connect(m_popup->startRename(), &QAction::triggered, this, &MainWindow::startRename);
    connect(m_popup->about(), &QAction::triggered, this, &MainWindow::showAboutText);

    m_listCommands = {add, remove, clear, rule, start};
    m_focus = new FocusKeeper(this, m_view);
    connect(m_intake, &Intake::busyChanged, this, [this](bool busy) { setListCommandsEnabled(!busy); });
    connect(m_intake, &Intake::batchFinished, this, &MainWindow::refreshLabels);
    connect(m_intake, &Intake::progress, this,
            [this](int read, int total) { m_statusLabel->setText(Intake::progressText(read, total)); });
    refreshLabels();

    m_openLater = new QTimer(this);
    m_openLater->setSingleShot(true);
    m_openLater->setInterval(200);
    connect(m_openLater, &QTimer::timeout, this, &MainWindow::addFilesToOpen);
}

skin::jcbutton *MainWindow::addButton(const QString &caption, const char *objectName, int top)
{
    auto *button = new skin::jcbutton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    dressButton(button, ButtonLook::Command);
    button->setCaption(caption);
    button->setGeometry(twipsRect(kButtonLeft, top, kButtonWidth, kButtonHeight));
    return button;
}

MainWindow::~MainWindow()
{
    // The intake and the reader may outlive this window's own parts while they are taken down: a
    // batch that ends then must not reach the commands.
    m_intake->disconnect(this);
    m_reader->disconnect(this);
    m_icons->stop();
}

void MainWindow::refreshLabels()
{
    const PackageList::Labels texts = m_list->labels();
    m_countLabel->setText(texts.count);
    m_hintLabel->setText(texts.hint);
    m_statusLabel->setText(texts.status);
}

void MainWindow::setListCommandsEnabled(bool enabled)
{
    if (!enabled)
        m_focus->beforeDisabling(m_listCommands);
    for (QWidget *control : std::as_const(m_listCommands))
        control->setEnabled(enabled);
    for (QAction *entry :
         {m_popup->openFile(), m_popup->removeSelected(), m_popup->clearList(), m_popup->startRename()})
        entry->setEnabled(enabled);
    // A drag over the list then shows that it would not be taken.
    m_view->setAcceptDrops(enabled);
}

void MainWindow::syncSelection()
{
    QItemSelectionModel *selection = m_view->selectionModel();
    for (int p = 1; p <= m_list->count(); ++p)
        m_list->setSelected(p, selection->isRowSelected(p - 1, {}));
}

void MainWindow::addFiles()
{
    if (!commandMayRun(MainCommand::AddFiles, m_intake->isBusy()))
        return;
    addChosenFiles(chooseFilesToAdd(this));
}

void MainWindow::addChosenFiles(const QStringList &paths)
{
    if (!commandMayRun(MainCommand::AddFiles, m_intake->isBusy()))
        return;
    m_intake->addChosenFiles(paths);
    refreshLabels();
    showProgress();
}

void MainWindow::showProgress()
{
    if (m_intake->isBusy())
        m_statusLabel->setText(Intake::progressText(m_intake->readCount(), m_intake->total()));
}

void MainWindow::addDroppedFiles(const QStringList &paths)
{
    if (!commandMayRun(MainCommand::Drop, m_intake->isBusy()))
        return;
    m_intake->addDroppedPaths(paths);
    refreshLabels();
    showProgress();
}

void MainWindow::openFiles(const QStringList &paths)
{
    m_filesToOpen += paths;
    addFilesToOpen();
}

void MainWindow::addFilesToOpen()
{
    if (m_filesToOpen.isEmpty())
        return;
    if (m_intake->isBusy() || QApplication::activeModalWidget()) {
        m_openLater->start();
        return;
    }
    m_intake->addChosenFiles(OpenRequest::choosableAmong(std::exchange(m_filesToOpen, {})));
    refreshLabels();
}

void MainWindow::bringToFront()
{
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::answerLaterStarts(RaiseListener *listener)
{
    connect(listener, &RaiseListener::raiseRequested, this, &MainWindow::bringToFront);
    connect(listener, &RaiseListener::filesHandedOver, this, [this](const QStringList &paths) {
        bringToFront();
        openFiles(paths);
    });
}

void MainWindow::removeSelected()
{
    if (!commandMayRun(MainCommand::RemoveSelected, m_intake->isBusy()))
        return;
    syncSelection();
    m_list->removeSelected();
    refreshLabels();
}

void MainWindow::clearList()
{
    if (!commandMayRun(MainCommand::ClearList, m_intake->isBusy()))
        return;
    int style = 3;
    const int answer = dwMessageBox(tr("是否要清空当前列表?"), style, tr("确认"), this);
    if (answer == MessageResult::Yes && !m_intake->isBusy())
        m_list->clear();
    refreshLabels();
}

void MainWindow::openRuleWindow()
{
    if (commandMayRun(MainCommand::NameRule, m_intake->isBusy()))
        openNameRuleWindow(this);
}

void MainWindow::startRename()
{
    if (commandMayRun(MainCommand::StartRename, m_intake->isBusy()))
        runRename(*m_list, NameRule::active());
}

void MainWindow::showAboutText()
{
    int style = 0;
    dwMessageBox(aboutText(), style, tr("关于软件"), this);
}

void MainWindow::openDetails()
{
    if (!commandMayRun(MainCommand::Details, m_intake->isBusy()))
        return;
    syncSelection();
    const std::optional<DetailTarget> target = detailTargetFor(*m_list, m_view->focusedPosition());
    if (!target)
        return;
    m_detailTarget = *target;
    // A row of neither kind opens nothing, so the window is never disabled for it.
    switch (packageKindOf(target->fileName)) {
    case PackageKind::None:
        return;
    case PackageKind::Ipa:
    case PackageKind::Apk:
        break;
    }
    openDetailsWindow(this, m_list, m_reader, m_detailTarget);
}

void MainWindow::showPopup(const QPoint &globalPos)
{
    m_popup->exec(globalPos);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && !m_intake->isBusy())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    // Queued, as a drop on the list is.
    QMetaObject::invokeMethod(
        this, [this, paths = droppedLocalFiles(event->mimeData())] { addDroppedFiles(paths); },
        Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The shutdown: every other window of the program goes with the main window.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
    // No icon is read for a list that is going.
    m_icons->stop();
    QWidget::closeEvent(event);
}
