#pragma once

#include "app/message_box_buttons.h"

#include <QString>

class QWidget;

// The program's own message box (see ForMsgx). The style is normalised and written back into the
// caller's variable; the result is the code of the button pressed, MessageResult::None when the box
// was closed without one. While a MessageBoxAnswers lives, no box is shown and it answers instead.
int dwMessageBox(const QString &prompt, int &style, const QString &title, QWidget *owner);
