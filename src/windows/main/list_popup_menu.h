#pragma once

#include <QMenu>

// The package list's popup menu ("右键菜单"): add files, remove selected, clear, rename run and
// About, with separators between the groups. The window connects the entries to its commands.
class ListPopupMenu : public QMenu
{
    Q_OBJECT
public:
    explicit ListPopupMenu(QWidget *parent = nullptr);

    QAction *openFile() const { return m_openFile; }
    QAction *removeSelected() const { return m_removeSelected; }
    QAction *clearList() const { return m_clearList; }
    QAction *startRename() const { return m_startRename; }
    QAction *about() const { return m_about; }

private:
    QAction *m_openFile;
    QAction *m_removeSelected;
    QAction *m_clearList;
    QAction *m_startRename;
    QAction *m_about;
};
