// The window library's entry points: window mode, and the start-up notices of a command-line run.
#include "app/startup.h"
#include "app/window_module.h"
#include "platform/instance_claim.h"
#include "skin/skinner/mskinner.h"
#include "windows/common/raise_listener.h"
#include "windows/common/user_notice.h"
#include "windows/main/main_window.h"

#include <QApplication>

#include <cstdio>

namespace {

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavrel"));
}

} // namespace

extern "C" __attribute__((visibility("default"))) int tavrelRunWindowMode(int argc, char **argv)
{
    if (!displayUsable()) {
        std::fprintf(stderr, "tavrel: 没有可用的显示, 无法打开窗口\n");
        return 1;
    }
    QApplication app(argc, argv);
    nameApplication();

    StartupSession session;
    switch (session.begin()) {
    case StartupSession::AlreadyRunning:
        showStartupNotice(nullptr, QStringLiteral("提示:"), Startup::alreadyRunningMessage(), 16);
        requestRaise(session.raiseSocketPath());
        return 1;
    case StartupSession::ToolMissing:
        showStartupNotice(nullptr, QStringLiteral("确认"), Startup::missingToolMessage(session.missingTool()),
                          0);
        return 1;
    case StartupSession::Ready:
        break;
    }

    MainWindow window(session.reader());
    RaiseListener listener;
    QObject::connect(&listener, &RaiseListener::raiseRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    listener.listen(session.raiseSocketPath());
    // The skinner dresses the main window's standard controls, and the windows it owns as they come.
    skin::MSkinner::start(&window);
    window.show();
    const int status = app.exec();
    // The window is closed: reads still under way are dropped and their tools killed at once; the
    // session then clears the scratch folders on its way out.
    session.reader()->stop();
    return status;
}

extern "C" __attribute__((visibility("default"))) bool
tavrelShowNotice(int argc, char **argv, const char *titleUtf8, const char *textUtf8, int style)
{
    if (screenlessPlatform() || !displayUsable())
        return false;
    QApplication app(argc, argv);
    nameApplication();
    showStartupNotice(nullptr, QString::fromUtf8(titleUtf8), QString::fromUtf8(textUtf8), style);
    return true;
}

// Both entry points must match what the executable looks up.
static_assert(std::is_same_v<decltype(&tavrelRunWindowMode), WindowModule::RunWindowModeFn>);
static_assert(std::is_same_v<decltype(&tavrelShowNotice), WindowModule::ShowNoticeFn>);
