#include "app/window_module.h"

#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

namespace {

QFunctionPointer resolve(const char *symbol, QString *error)
{
    static QLibrary library;
    if (!library.isLoaded()) {
        library.setFileName(ProgramFolder::path() + QLatin1Char('/') + WindowModule::fileName());
        if (!library.load()) {
            *error = library.errorString();
            return nullptr;
        }
    }
    QFunctionPointer function = library.resolve(symbol);
    if (!function)
        *error = library.errorString();
    return function;
}

void printLine(const QString &text)
{
    std::fprintf(stderr, "tavrel: %s\n", text.toLocal8Bit().constData());
}

// Only what the platform plugin would be asked for decides whether a box is worth trying.
bool displayMayBeThere()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal"))
        return false;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !platform.isEmpty();
}

} // namespace

namespace WindowModule {

QString fileName()
{
    return QStringLiteral("libtavrel_window.so");
}

int runWindowMode(int argc, char **argv)
{
    QString error;
    const auto run = reinterpret_cast<RunWindowModeFn>(resolve(kRunWindowMode, &error));
    if (!run) {
        printLine(QCoreApplication::translate("WindowModule", "无法载入窗口程序库: %1").arg(error));
        return 1;
    }
    return run(argc, argv);
}

void showNotice(int argc, char **argv, const QString &title, const QString &text, int style)
{
    if (displayMayBeThere()) {
        QString error;
        const auto show = reinterpret_cast<ShowNoticeFn>(resolve(kShowNotice, &error));
        if (show && show(argc, argv, title.toUtf8().constData(), text.toUtf8().constData(), style))
            return;
    }
    printLine(text);
}

} // namespace WindowModule
