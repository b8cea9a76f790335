#pragma once

#include "platform/safe_rename.h"

#include <QString>

class PackageList;
struct DetailTarget;

// The rename button of a details window: renames currentName to newName in the target's folder
// by the same safe rename as a rename run, so no file is ever replaced. The target's row shows
// the new file name and "修改完成" only when the file was renamed; otherwise it keeps its name and
// its status says why ("文件已存在", "无法修改"). A row that no longer belongs to the target's
// folder is left alone.
RenameOutcome renameFromDetails(PackageList &list, const DetailTarget &target, const QString &currentName,
                                const QString &newName);
