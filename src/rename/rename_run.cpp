#include "rename/rename_run.h"

#include "core/package_list.h"
#include "platform/file_extension.h"
#include "platform/safe_rename.h"
#include "rename/name_rule.h"

#include <QCoreApplication>

void recordRenameOutcome(PackageList &list, int position, RenameOutcome outcome, const QString &newName)
{
    switch (outcome) {
    case RenameOutcome::Renamed:
        list.setCell(position, PackageInfo::FileName, newName);
        list.setCell(position, PackageInfo::Status, RenameStatus::done());
        break;
    case RenameOutcome::TargetExists:
        list.setCell(position, PackageInfo::Status, RenameStatus::exists());
        break;
    case RenameOutcome::Refused:
        list.setCell(position, PackageInfo::Status, RenameStatus::failed());
        break;
    }
}

void runRename(PackageList &list, const QString &rule)
{
    const int n = list.count();
    for (int p = 1; p <= n; ++p) {
        if (!list.isValidPosition(p))
            break;
        const PackageInfo &row = list.rowAt(p);
        const QString stem = NameRule::expand(rule, row.displayName, row.version);
        if (row.displayName.isEmpty() || stem.isEmpty()) {
            list.setCell(p, PackageInfo::Status, RenameStatus::failed());
            continue;
        }
        const QString newName = stem + packageExtensionOf(row.fileName);
        recordRenameOutcome(list, p, renameWithinFolder(row.folder, row.fileName, newName), newName);
    }
}

QString newFileNameByRule(const QString &fileName, const QString &displayName, const QString &version,
                          const QString &rule, const QString &fallbackExtension, QString *error)
{
    if (displayName.isEmpty()) {
        if (error)
            *error =
                QCoreApplication::translate("RenameRun", "无法修改: 未能读出 %1 的程序名称").arg(fileName);
        return QString();
    }
    const QString stem = NameRule::expand(rule, displayName, version);
    if (stem.isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("RenameRun", "无法修改: 命名规则得出的名称为空");
        return QString();
    }
    return stem + fileExtension(fileName, fallbackExtension);
}

bool renameFileByRule(const QString &path, const QString &displayName, const QString &version,
                      const QString &rule, const QString &fallbackExtension, QString *error)
{
    QString ignored;
    QString *why = error ? error : &ignored;
    QString folder, fileName;
    splitPath(path, &folder, &fileName);
    const QString newName = newFileNameByRule(fileName, displayName, version, rule, fallbackExtension, why);
    if (newName.isEmpty())
        return false;
    switch (renameWithinFolder(folder, fileName, newName)) {
    case RenameOutcome::Renamed:
        return true;
    case RenameOutcome::TargetExists:
        *why = QCoreApplication::translate("RenameRun", "文件已存在: %1").arg(folder + newName);
        return false;
    case RenameOutcome::Refused:
        *why = QCoreApplication::translate("RenameRun", "无法修改: %1 不能改名为 %2").arg(fileName, newName);
        return false;
    }
    return false;
}
