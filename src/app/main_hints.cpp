#include "app/main_hints.h"

#include "app/program_version.h"

#include <QCoreApplication>

namespace MainHints {

QString creditLine()
{
    return QCoreApplication::translate("MainHints", "Tavrel v%1 安装包改名工具, 构建于 %2.")
        .arg(ProgramVersion::text(), ProgramVersion::date());
}

QString hint(MainControl control)
{
    switch (control) {
    case MainControl::AddFiles:
        return QCoreApplication::translate("MainHints", "添加文件.");
    case MainControl::RemoveSelected:
        return QCoreApplication::translate("MainHints", "删除当前选择文件.");
    case MainControl::ClearList:
        return QCoreApplication::translate("MainHints", "清空当前文件.");
    case MainControl::NameRule:
        return QCoreApplication::translate("MainHints", "命名规则设置.");
    case MainControl::AddShellEntry:
        return QCoreApplication::translate("MainHints", "添加系统右键菜单用于修改文件名.");
    case MainControl::RemoveShellEntry:
        return QCoreApplication::translate("MainHints", "删除系统右键菜单.");
    case MainControl::StartRename:
        return QCoreApplication::translate("MainHints", "开始改名.");
    case MainControl::Exit:
        return QCoreApplication::translate("MainHints", "退出软件.");
    case MainControl::FeedbackLink:
        return QCoreApplication::translate("MainHints", "暂不支持发送邮件,网站禁止发步.");
    case MainControl::DateLink:
        return creditLine();
    case MainControl::PackageList:
        return QCoreApplication::translate("MainHints", "列表清单.");
    }
    return QString();
}

QString statusText(MainControl control)
{
    return QCoreApplication::translate("MainHints", "状态栏: ") + hint(control);
}

} // namespace MainHints
