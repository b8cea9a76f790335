#include "windows/main/user_notice.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

void showStartupNotice(const QString &title, const QString &text)
{
    const bool onScreen = qobject_cast<QApplication *>(QCoreApplication::instance()) &&
                          QGuiApplication::platformName() != QLatin1String("offscreen") &&
                          QGuiApplication::platformName() != QLatin1String("minimal");
    if (onScreen) {
        QMessageBox::information(nullptr, title, text);
        return;
    }
    std::fprintf(stderr, "tavrel: %s\n", text.toLocal8Bit().constData());
}
