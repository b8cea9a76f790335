#include "app/batch_naming.h"

#include "core/package_info.h"
#include "platform/safe_rename.h"
#include "rename/rename_run.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

BatchNamer::Outcome notRenamed(const QString &reason)
{
    BatchNamer::Outcome outcome;
    outcome.reason = reason;
    return outcome;
}

} // namespace

BatchNamer::Outcome BatchNamer::rename(const QString &path, const QString &displayName,
                                       const QString &version)
{
    QString folder, fileName;
    splitPath(path, &folder, &fileName);
    QString why;
    const QString newName =
        newFileNameByRule(fileName, displayName, version, m_rule, packageExtensionOf(path), &why);
    if (newName.isEmpty())
        return notRenamed(why);

    Outcome outcome;
    outcome.newPath = folder + newName;
    if (newName == fileName) {
        outcome.kind = Outcome::AlreadyNamed;
        return outcome;
    }

    RenameOutcome result;
    if (m_dryRun) {
        if (!isSingleFileName(newName))
            result = RenameOutcome::Refused;
        else if (wouldBeTaken(folder, newName))
            result = RenameOutcome::TargetExists;
        else
            result = RenameOutcome::Renamed;
        if (result == RenameOutcome::Renamed) {
            m_taken[folder].insert(newName);
            m_freed[folder].insert(fileName);
            m_taken[folder].remove(fileName);
            m_freed[folder].remove(newName);
        }
    } else {
        result = renameWithinFolder(folder, fileName, newName);
    }

    switch (result) {
    case RenameOutcome::Renamed:
        outcome.kind = Outcome::Renamed;
        return outcome;
    case RenameOutcome::TargetExists:
        return notRenamed(QCoreApplication::translate("CommandLine", "文件已存在: %1").arg(outcome.newPath));
    case RenameOutcome::Refused:
        break;
    }
    return notRenamed(QCoreApplication::translate("CommandLine", "无法修改: 不能改名为 %1").arg(newName));
}

bool BatchNamer::wouldBeTaken(const QString &folder, const QString &name) const
{
    if (m_taken.value(folder).contains(name))
        return true;
    if (m_freed.value(folder).contains(name))
        return false;
    return QFileInfo::exists(folder + name);
}
