// Start-up and the choice of mode. A path on the command line is renamed here with QtCore alone;
// without one, the window library is loaded and takes over.
#include "app/command_line_rename.h"
#include "app/startup.h"
#include "app/window_module.h"
#include "platform/instance_claim.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString path = Startup::normalisedPath(Startup::commandLineTail(arguments));
    if (path.isEmpty())
        return WindowModule::runWindowMode(argc, argv);

    auto app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavrel"));

    StartupSession session;
    switch (session.begin()) {
    case StartupSession::AlreadyRunning:
        // The notice first, then the earlier window comes to the front.
        app.reset();
        WindowModule::showNotice(argc, argv, QStringLiteral("提示:"), Startup::alreadyRunningMessage(), 16);
        requestRaise(session.raiseSocketPath());
        return 1;
    case StartupSession::ToolMissing:
        app.reset();
        WindowModule::showNotice(argc, argv, QStringLiteral("确认"),
                                 Startup::missingToolMessage(session.missingTool()), 0);
        return 1;
    case StartupSession::Ready:
        break;
    }

    CommandLineRename rename(session.reader());
    QObject::connect(&rename, &CommandLineRename::finished, app.get(), [](bool renamed, const QString &error) {
        if (!renamed)
            std::fprintf(stderr, "tavrel: %s\n", error.toLocal8Bit().constData());
        QCoreApplication::exit(renamed ? 0 : 1);
    });
    rename.start(path);
    return QCoreApplication::exec();
}
