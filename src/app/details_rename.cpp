#include "app/details_rename.h"

#include "core/detail_target.h"
#include "core/package_list.h"
#include "rename/rename_run.h"

RenameOutcome renameFromDetails(PackageList &list, const DetailTarget &target, const QString &currentName,
                                const QString &newName)
{
    const RenameOutcome outcome = renameWithinFolder(target.folder, currentName, newName);
    const int p = target.position;
    if (!list.isValidPosition(p) || list.rowAt(p).folder != target.folder)
        return outcome;
    recordRenameOutcome(list, p, outcome, newName);
    return outcome;
}
