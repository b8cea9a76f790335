#include "windows/main/about_window.h"

// Stand-ins until the window lands.
QString aboutText()
{
    return QString();
}

void openAboutWindow(QWidget *) {}
