// The window library's entry points: window mode, and the start-up notices of a command-line run.
#include "app/open_request.h"
#include "app/program_language.h"
#include "app/startup.h"
#include "app/window_module.h"
#include "platform/instance_claim.h"
#include "platform/window_request.h"
#include "skin/skinner/mskinner.h"
#include "windows/common/program_fonts.h"
#include "windows/common/qt_translation.h"
#include "windows/common/raise_listener.h"
#include "windows/common/user_notice.h"
#include "windows/common/x11_display.h"
#include "windows/main/main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {

void setUpApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavrel"));
    // The program speaks the user's language where it has it (Chinese, or English when the user
    // puts English first), and Qt's own dialogs speak it with the rest. The Chinese face stays
    // legible at 9 points.
    const ProgramLanguage::Language language = ProgramLanguage::ofSystem();
    ProgramLanguage::install(language);
    if (const QString qtCatalogue = ProgramLanguage::qtCatalogueName(language); !qtCatalogue.isEmpty())
        installQtTranslation(qtCatalogue);
    useLegibleChineseFace();
    // The frames' drags end on the button's release whatever the window manager.
    useX11DisplayQueries();
}

} // namespace

extern "C" __attribute__((visibility("default"))) int tavrelRunWindowMode(int argc, char **argv)
{
    if (!displayUsable()) {
        const QString line = ProgramLanguage::translateEarly(
            "WindowEntry", QT_TRANSLATE_NOOP("WindowEntry", "没有可用的显示, 无法打开窗口"));
        std::fprintf(stderr, "tavrel: %s\n", line.toLocal8Bit().constData());
        return 1;
    }
    // Read before the application takes its own options out of argv.
    const std::optional<QStringList> filesToOpen = OpenRequest::filesToOpen(Startup::argumentsOf(argc, argv));
    QApplication app(argc, argv);
    setUpApplication();

    StartupSession session;
    switch (session.begin()) {
    case StartupSession::AlreadyRunning:
        // Another window came up since the executable looked: it takes the files instead.
        if (filesToOpen && handOverFiles(session.raiseSocketPath(), *filesToOpen))
            return 0;
        showStartupNotice(nullptr, QCoreApplication::translate("WindowEntry", "提示:"),
                          Startup::alreadyRunningMessage(), 16);
        requestRaise(session.raiseSocketPath());
        return 1;
    case StartupSession::ToolMissing:
        showStartupNotice(nullptr, QCoreApplication::translate("WindowEntry", "确认"),
                          Startup::missingToolMessage(session.missingTool()), 0);
        return 1;
    case StartupSession::Ready:
        break;
    }

    MainWindow window(session.reader());
    RaiseListener listener;
    window.answerLaterStarts(&listener);
    listener.listen(session.raiseSocketPath());
    // The skinner dresses the main window's standard controls, and the windows it owns as they come.
    skin::MSkinner::start(&window);
    window.show();
    // The files are read once the window is up, as after a click on "添加文件".
    if (filesToOpen)
        QTimer::singleShot(0, &window, [&window, files = *filesToOpen] { window.openFiles(files); });
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
    setUpApplication();
    showStartupNotice(nullptr, QString::fromUtf8(titleUtf8), QString::fromUtf8(textUtf8), style);
    return true;
}

// Both entry points must match what the executable looks up.
static_assert(std::is_same_v<decltype(&tavrelRunWindowMode), WindowModule::RunWindowModeFn>);
static_assert(std::is_same_v<decltype(&tavrelShowNotice), WindowModule::ShowNoticeFn>);
