#include "app/main_commands.h"

#include "core/package_list.h"

bool commandMayRun(MainCommand command, bool intakeBusy)
{
    switch (command) {
    case MainCommand::ShellEntry:
    case MainCommand::About:
    case MainCommand::Exit:
        return true;
    case MainCommand::AddFiles:
    case MainCommand::Drop:
    case MainCommand::RemoveSelected:
    case MainCommand::ClearList:
    case MainCommand::NameRule:
    case MainCommand::StartRename:
    case MainCommand::Details:
        break;
    }
    return !intakeBusy;
}

std::optional<DetailTarget> detailTargetFor(const PackageList &list, int focusedPosition)
{
    if (list.count() == 0 || !list.isValidPosition(focusedPosition))
        return std::nullopt;
    const PackageInfo &row = list.rowAt(focusedPosition);
    if (!row.selected)
        return std::nullopt;
    return DetailTarget{row.folder, row.fileName, focusedPosition};
}
