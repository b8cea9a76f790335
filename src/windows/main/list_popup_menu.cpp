#include "windows/main/list_popup_menu.h"

namespace {

QAction *addEntry(QMenu *menu, const char *objectName, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(objectName));
    return action;
}

} // namespace

ListPopupMenu::ListPopupMenu(QWidget *parent) : QMenu(tr("右键菜单"), parent)
{
    setObjectName(QStringLiteral("Lmenu"));
    m_openFile = addEntry(this, "MenuOpenFile", tr("添加文件(&P)"));
    addSeparator();
    m_removeSelected = addEntry(this, "MeunDelTwo", tr("当前删除(&D)"));
    m_clearList = addEntry(this, "MenuClear", tr("清空列表(&C)"));
    addSeparator();
    m_startRename = addEntry(this, "MenuSet", tr("开始改名(&S)"));
    addSeparator();
    m_about = addEntry(this, "MenuAbout", tr("关于软件(&A)"));
}
