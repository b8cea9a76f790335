// Start-up and the choice of mode. A path on the command line is renamed here with QtCore alone;
// without one, the window library is loaded and takes over. Files to open go to a window that
// already runs, also with QtCore alone, or come with the window library when none does.
#include "app/command_line_rename.h"
#include "app/open_request.h"
#include "app/startup.h"
#include "app/window_module.h"
#include "platform/instance_claim.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavrel"));
    return app;
}

// The notice first, then the earlier window comes to the front.
int turnAway(std::unique_ptr<QCoreApplication> app, int argc, char **argv, const QString &raiseSocketPath)
{
    app.reset();
    WindowModule::showNotice(argc, argv, QStringLiteral("提示:"), Startup::alreadyRunningMessage(), 16);
    requestRaise(raiseSocketPath);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    const QStringList arguments = Startup::argumentsOf(argc, argv);
    if (const std::optional<QStringList> files = OpenRequest::filesToOpen(arguments)) {
        auto app = makeApplication(argc, argv);
        switch (OpenRequest::handToRunningWindow(*files)) {
        case OpenRequest::HandOver::HandedOver:
            return 0;
        case OpenRequest::HandOver::NoWindowRunning:
            app.reset();
            return WindowModule::runWindowMode(argc, argv);
        case OpenRequest::HandOver::NotAnswered:
            break;
        }
        const QString raiseSocketPath = StartupSession().raiseSocketPath();
        return turnAway(std::move(app), argc, argv, raiseSocketPath);
    }

    const QString path = Startup::normalisedPath(Startup::commandLineTail(arguments));
    if (path.isEmpty())
        return WindowModule::runWindowMode(argc, argv);

    auto app = makeApplication(argc, argv);
    StartupSession session;
    switch (session.begin()) {
    case StartupSession::AlreadyRunning:
        return turnAway(std::move(app), argc, argv, session.raiseSocketPath());
    case StartupSession::ToolMissing:
        app.reset();
        WindowModule::showNotice(argc, argv, QStringLiteral("确认"),
                                 Startup::missingToolMessage(session.missingTool()), 0);
        return 1;
    case StartupSession::Ready:
        break;
    }

    CommandLineRename rename(session.reader());
    QObject::connect(&rename, &CommandLineRename::finished, app.get(),
                     [](bool renamed, const QString &error) {
                         if (!renamed)
                             std::fprintf(stderr, "tavrel: %s\n", error.toLocal8Bit().constData());
                         QCoreApplication::exit(renamed ? 0 : 1);
                     });
    rename.start(path);
    return QCoreApplication::exec();
}
