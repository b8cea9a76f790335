#pragma once

#include "platform/safe_rename.h"

#include <QCoreApplication>
#include <QString>

class PackageList;

// Row statuses written by a rename run.
namespace RenameStatus {
inline QString done()
{
    return QCoreApplication::translate("RenameRun", "修改完成");
}
inline QString exists()
{
    return QCoreApplication::translate("RenameRun", "文件已存在");
}
inline QString failed()
{
    return QCoreApplication::translate("RenameRun", "无法修改");
}
} // namespace RenameStatus

// Writes a rename's outcome into the row: the new file name and "修改完成" when renamed; otherwise
// the name stays and the status says why ("文件已存在", "无法修改").
void recordRenameOutcome(PackageList &list, int position, RenameOutcome outcome, const QString &newName);

// Renames every row's file by the rule, in list order, and writes the new file name and the
// status into the row; the file keeps its own extension (".apk", ".xapk", ...). A row without a
// display name, whose rule gives an empty name, or whose rename the file system refuses, keeps
// its file name and shows "无法修改"; a taken name shows "文件已存在". Nothing is replaced.
void runRename(PackageList &list, const QString &rule);

// The file name the rule gives a package: the expanded rule and the file's own extension
// (fallbackExtension for a name without one). Empty when no name can be made; then *error says
// why, in one line.
QString newFileNameByRule(const QString &fileName, const QString &displayName, const QString &version,
                          const QString &rule, const QString &fallbackExtension, QString *error = nullptr);

// Renames one file (the command line's) by the rule, keeping it in its folder and keeping its own
// extension (everything from the last dot; fallbackExtension for a name without one). Returns true
// when renamed; otherwise *error says what stopped it, in one line.
bool renameFileByRule(const QString &path, const QString &displayName, const QString &version,
                      const QString &rule, const QString &fallbackExtension, QString *error = nullptr);
