#pragma once

#include "core/detail_target.h"

#include <optional>

class PackageList;

// The main window's commands. An intake is read in the background while the window stays usable,
// so a click could start a command in the middle of a batch; those that touch the list must wait.
enum class MainCommand {
    AddFiles,
    Drop,
    RemoveSelected,
    ClearList,
    NameRule,
    StartRename,
    Details,
    ShellEntry,
    About,
    Exit
};

// False for a command that touches the list (or opens a window that does) while an intake runs.
bool commandMayRun(MainCommand command, bool intakeBusy);

// The row a double-click opens: the focused row (1-based position, 0 for none) when it is
// selected; nothing for an empty list, no focused row or a focused row that is not selected.
std::optional<DetailTarget> detailTargetFor(const PackageList &list, int focusedPosition);
