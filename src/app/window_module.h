#pragma once

#include <QString>

// The window code lives in a library of its own beside the executable, loaded only when a window
// is wanted, so that a command-line rename never loads QtGui, QtWidgets or QtNetwork.
namespace WindowModule {

// The library's file name in the program folder.
QString fileName();

// Entry points the library exports, with C linkage.
using RunWindowModeFn = int (*)(int argc, char **argv);
// Shows a start-up notice in a message box (style as the program's message box takes it). False
// when no display is usable; nothing was shown then.
using ShowNoticeFn = bool (*)(int argc, char **argv, const char *titleUtf8, const char *textUtf8, int style);
constexpr const char *kRunWindowMode = "tavrelRunWindowMode";
constexpr const char *kShowNotice = "tavrelShowNotice";

// Loads the library and runs window mode; 1 with a line on stderr when it cannot be loaded.
int runWindowMode(int argc, char **argv);
// Shows the notice in a box when a display is usable, else as one line on stderr. No application
// object may exist when this is called: the library makes its own.
void showNotice(int argc, char **argv, const QString &title, const QString &text, int style);

} // namespace WindowModule
