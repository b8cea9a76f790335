#pragma once

#include <QString>

class QWidget;

// The About text shown from the frame's window menu.
QString aboutText();
// Opens the About window over the owner.
void openAboutWindow(QWidget *owner);
