#pragma once

#include <QString>

class QDialog;
class QWidget;
namespace skin {
class jcForms;
}

// The part every window of the program shares: caption, the owner's icon, a fixed client area in
// twips, and the themed frame with only its close button. Returns the frame.
skin::jcForms *dressWindow(QWidget *window, QWidget *owner, const QString &caption, int widthTwips,
                           int heightTwips);

// What every small dialog (message box, naming-rule and About windows) adds: its object name,
// Tahoma 8.25 with a Chinese face behind it, and modality (to the owner's window, or to the whole
// program without an owner). Returns its frame.
skin::jcForms *setUpDialog(QDialog *dialog, QWidget *owner, const QString &name, const QString &caption,
                           int widthTwips, int heightTwips);
