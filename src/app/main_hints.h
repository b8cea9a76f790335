#pragma once

#include <QString>

// The main window's controls that show a hint in the status label while the pointer moves over
// them. The texts live here so that the window holds no wording of its own.
enum class MainControl {
    AddFiles,
    RemoveSelected,
    ClearList,
    NameRule,
    AddShellEntry,
    RemoveShellEntry,
    StartRename,
    Exit,
    FeedbackLink,
    DateLink,
    PackageList
};

namespace MainHints {

// The program, its version and its build date, as the date link's hint says it.
QString creditLine();
QString hint(MainControl control);
// What the status label shows: "状态栏: " followed by the hint.
QString statusText(MainControl control);

} // namespace MainHints
