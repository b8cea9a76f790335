#pragma once

#include <QString>

class QWidget;

namespace skin {
class jcForms;
}

// Dresses a details window as all of them are: caption, the owner's icon, 9-point text, a fixed
// client area given in twips, and the themed frame without minimise and maximise buttons.
skin::jcForms *dressDetailsWindow(QWidget *window, QWidget *owner, const QString &caption, int widthTwips,
                                  int heightTwips);
