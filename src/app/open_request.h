#pragma once

#include "platform/window_request.h"

#include <QStringList>
#include <optional>

// Window mode with files: "tavrel --open FILE..." is what the desktop's launcher runs when a
// package is opened. The files are added to the list as the "添加文件" dialog adds them; nothing is
// renamed. A window already running with the same settings is handed them instead.
namespace OpenRequest {

// The files after "--open" (arguments[0] is the program), made absolute, when the command line
// asks for window mode with files; nothing otherwise. A command tail whose words joined by blanks
// name an existing entry stays the one-file rename, as it always was.
std::optional<QStringList> filesToOpen(const QStringList &arguments);

// The name patterns of the "添加文件" dialog's filter.
QStringList dialogPatterns();

// The paths the dialog could have chosen, in their order: files, no folders, whose names its
// filter shows (as the dialog shows them, without regard to case).
QStringList choosableAmong(const QStringList &paths);

enum class HandOver {
    NoWindowRunning, // nobody holds the claim: this start becomes the window
    HandedOver,      // the running window has the files and comes to the front
    NotAnswered      // the claim is held but nobody took the files in time
};

// Hands the files to the instance that holds the claim for the current settings, if one does.
HandOver handToRunningWindow(const QStringList &files, const WaitLimit &limit = WaitLimit{50, 100});

} // namespace OpenRequest
