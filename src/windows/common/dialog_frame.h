// The dress every small dialog of the program wears: the themed frame with only its close button,
// no border and the program's title-bar style; and the main window's icon passed on to it.
#pragma once

#include <QFont>
#include <QIcon>

class QWidget;
namespace skin {
class jcForms;
}

// Puts the frame on the dialog (MaxButton and MinButton off, BorderStyle 0, Style 5).
skin::jcForms *dressDialogFrame(QWidget *dialog);

// Tahoma 8.25 point, with a Chinese face behind it for the captions and prompts.
QFont dialogFont();

// The icon of the owner's window, or the program's when there is no owner.
QIcon ownerIcon(QWidget *owner);
