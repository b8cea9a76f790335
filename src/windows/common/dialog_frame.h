// What every small dialog of the program shares: its caption, the owner's icon, Tahoma 8.25 with a
// Chinese face behind it, a fixed size, modality, and the themed frame with only its close button,
// no border and the program's title-bar style.
#pragma once

#include <QString>

class QDialog;
class QWidget;
namespace skin {
class jcForms;
}

// Sets the dialog up as above (size in twips; modal to the owner's window, or to the whole
// program without an owner) and returns its frame.
skin::jcForms *setUpDialog(QDialog *dialog, QWidget *owner, const QString &name, const QString &caption,
                           int widthTwips, int heightTwips);
