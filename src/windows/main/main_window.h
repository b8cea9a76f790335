#pragma once

#include <QWidget>

class Intake;
class PackageList;
class PackageListModel;
class QLabel;
class QTreeView;

// The main window: the package list with its labels, files dropped onto it are added.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

    PackageList *packageList() const { return m_list; }
    Intake *intake() const { return m_intake; }
    void refreshLabels();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    PackageList *m_list;
    Intake *m_intake;
    PackageListModel *m_model;
    QTreeView *m_view;
    QLabel *m_countLabel;
    QLabel *m_hintLabel;
    QLabel *m_statusLabel;
};
