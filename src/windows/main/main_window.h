#pragma once

#include "core/detail_target.h"

#include <QWidget>

class FocusKeeper;
class HintTracker;
class Intake;
class LinkLabel;
class ListPopupMenu;
class PackageIcons;
class PackageList;
class PackageReader;
class PackageListModel;
class PackageView;
class QLabel;
class QTimer;
class RaiseListener;

namespace skin {
class jcForms;
class jcbutton;
} // namespace skin

// The main window: the package list with its labels in the themed frame, the command buttons
// beside it, the list's popup menu and the hints. Commands call the logic of the layers below;
// while an intake runs, those that touch the list are greyed or ignored.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    // Reads packages with the reader given (the session's); without one, with one of its own.
    explicit MainWindow(PackageReader *reader = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    PackageList *packageList() const { return m_list; }
    Intake *intake() const { return m_intake; }
    PackageReader *reader() const { return m_reader; }
    PackageIcons *icons() const { return m_icons; }
    PackageView *view() const { return m_view; }
    ListPopupMenu *popupMenu() const { return m_popup; }
    skin::jcForms *frame() const { return m_frame; }
    // The row the last double-click chose.
    const DetailTarget &detailTarget() const { return m_detailTarget; }
    void refreshLabels();
    // Later starts with the same settings are answered here: the window comes to the front, and
    // files they hand over are opened.
    void answerLaterStarts(RaiseListener *listener);

public slots:
    void addFiles();
    // The intake's two ways in: files chosen in the "添加文件" dialog, and paths dropped on the list.
    void addChosenFiles(const QStringList &paths);
    void addDroppedFiles(const QStringList &paths);
    // Files opened from the desktop: added as the "添加文件" dialog adds what it lets the user
    // choose, as soon as that button could be pressed (no batch running, no window open over this
    // one).
    void openFiles(const QStringList &paths);
    void bringToFront();
    void removeSelected();
    void clearList();
    void openRuleWindow();
    void startRename();
    void showAboutText();
    void openDetails();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    skin::jcbutton *addButton(const QString &caption, const char *objectName, int top);
    void showPopup(const QPoint &globalPos);
    void syncSelection();
    void setListCommandsEnabled(bool enabled);
    void addFilesToOpen();
    // "正在读取 37/200" in the status label while a batch is being read.
    void showProgress();

    PackageList *m_list;
    PackageReader *m_reader;
    Intake *m_intake;
    PackageIcons *m_icons;
    PackageListModel *m_model;
    skin::jcForms *m_frame;
    PackageView *m_view;
    ListPopupMenu *m_popup;
    QLabel *m_countLabel;
    QLabel *m_hintLabel;
    QLabel *m_statusLabel;
    HintTracker *m_hints;
    FocusKeeper *m_focus;
    QList<QWidget *> m_listCommands;
    DetailTarget m_detailTarget;
    QStringList m_filesToOpen;
    QTimer *m_openLater;
};
