#pragma once

#include <QString>

class QWidget;

// Start-up notices (a second instance, a missing tool): a message box with the given style.
void showStartupNotice(QWidget *owner, const QString &title, const QString &text, int style);

// True when a window can be made: the display the platform plugin would use answers (checked before
// an application object exists, which would abort on a display it cannot open). The screenless
// platforms (offscreen, minimal) always can.
bool displayUsable();
// Offscreen or minimal: windows work, but nobody sees them.
bool screenlessPlatform();
