#include "core/program_folder.h"
#include "core/startup.h"
#include "inspect/ipa_unpack.h"
#include "rename/command_line_rename.h"
#include "rename/name_rule.h"
#include "windows/main/main_window.h"
#include "windows/main/user_notice.h"

#include <QApplication>
#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString path = Startup::normalisedPath(Startup::commandLineTail(arguments));
    const bool commandLine = !path.isEmpty();

    // The command-line rename needs no display; the window does.
    std::unique_ptr<QCoreApplication> app;
    if (commandLine && !displayAvailable())
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavrel"));

    SingleInstance instance;
    if (!instance.claim()) {
        showStartupNotice(QStringLiteral("提示:"), Startup::alreadyRunningMessage());
        return 1;
    }
    const QString missing = Startup::firstMissingTool(ProgramFolder::path());
    if (!missing.isEmpty()) {
        showStartupNotice(QStringLiteral("确认"), Startup::missingToolMessage(missing));
        return 1;
    }
    ClearBothFoldersInBackground();
    NameRule::loadFromSettings();

    if (commandLine) {
        QString why;
        const int status = RunCommandLineRename(path, &why);
        if (status != 0)
            std::fprintf(stderr, "tavrel: %s\n", why.toLocal8Bit().constData());
        WaitForBackgroundClearing();
        return status;
    }

    MainWindow window;
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    const int status = app->exec();
    ClearBothFoldersInBackground();
    WaitForBackgroundClearing();
    return status;
}
