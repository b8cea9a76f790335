#pragma once

#include <QString>

// Start-up notices (a second instance, a missing tool): a message box when there is a screen to
// show it on, otherwise one line on standard error.
void showStartupNotice(const QString &title, const QString &text);

// True when a window can be shown (a display server, or a platform plugin asked for by name).
bool displayAvailable();
