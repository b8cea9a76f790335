// Start-up and the choice of mode. Paths on the command line are renamed here with QtCore alone;
// without one, the window library is loaded and takes over. Files to open go to a window that
// already runs, also with QtCore alone, or come with the window library when none does.
#include "app/batch_command_line.h"
#include "app/command_line_options.h"
#include "app/command_line_rename.h"
#include "app/open_request.h"
#include "app/program_language.h"
#include "app/startup.h"
#include "app/window_module.h"
#include "platform/instance_claim.h"
#include "rename/name_rule.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavrel"));
    ProgramLanguage::install(ProgramLanguage::ofSystem());
    return app;
}

// The notice first, then the earlier window comes to the front.
int turnAway(std::unique_ptr<QCoreApplication> app, int argc, char **argv, const QString &raiseSocketPath)
{
    // Worded while the application, and with it the translation, is still there.
    const QString title = QCoreApplication::translate("CommandLine", "提示:");
    const QString message = Startup::alreadyRunningMessage();
    app.reset();
    WindowModule::showNotice(argc, argv, title, message, 16);
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

    // Window mode makes its own application; the command line's speaks the user's language.
    if (Startup::normalisedPath(Startup::commandLineTail(arguments)).isEmpty())
        return WindowModule::runWindowMode(argc, argv);
    auto app = makeApplication(argc, argv);
    const CommandLineOptions options = parseCommandLine(arguments.mid(1));
    switch (options.mode) {
    case CommandLineOptions::Mode::Window:
        app.reset();
        return WindowModule::runWindowMode(argc, argv);
    case CommandLineOptions::Mode::Help:
        std::fputs(commandLineHelp().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLineOptions::Mode::Version:
        std::printf("%s\n", Startup::windowTitle().toLocal8Bit().constData());
        return 0;
    case CommandLineOptions::Mode::UsageError:
        std::fprintf(
            stderr, "tavrel: %s\n%s\n", options.error.toLocal8Bit().constData(),
            QCoreApplication::translate("CommandLine", "用法见 tavrel --help").toLocal8Bit().constData());
        return 2;
    case CommandLineOptions::Mode::SingleFile:
    case CommandLineOptions::Mode::Batch:
        break;
    }

    StartupSession session;
    session.setReaderWorkers(options.jobs);
    switch (session.begin()) {
    case StartupSession::AlreadyRunning:
        return turnAway(std::move(app), argc, argv, session.raiseSocketPath());
    case StartupSession::ToolMissing: {
        const QString title = QCoreApplication::translate("CommandLine", "确认");
        const QString message = Startup::missingToolMessage(session.missingTool());
        app.reset();
        WindowModule::showNotice(argc, argv, title, message, 0);
        return 1;
    }
    case StartupSession::Ready:
        break;
    }

    if (options.mode == CommandLineOptions::Mode::Batch) {
        BatchCommandLine batch(options, options.rule.value_or(NameRule::active()), session.reader());
        QObject::connect(&batch, &BatchCommandLine::finished, app.get(), &QCoreApplication::exit);
        batch.start();
        return QCoreApplication::exec();
    }

    CommandLineRename rename(session.reader());
    QObject::connect(&rename, &CommandLineRename::finished, app.get(),
                     [](bool renamed, const QString &error) {
                         if (!renamed)
                             std::fprintf(stderr, "tavrel: %s\n", error.toLocal8Bit().constData());
                         QCoreApplication::exit(renamed ? 0 : 1);
                     });
    rename.start(options.paths.constFirst());
    return QCoreApplication::exec();
}
