#pragma once

#include <QString>

class QWidget;

// The program's own message box. Result codes are the program's own.
namespace MessageResult {
enum Code { None = 0, Ok = 1, Cancel = 2, Ignore = 3, Yes = 4, No = 5 };
}

// Shows the prompt with the buttons the style chooses, titled title, owned by owner (or none),
// and returns the code of the button pressed; a close without a button press returns None. The
// style is normalised and written back.
int dwMessageBox(const QString &prompt, int &style, const QString &title, QWidget *owner);
