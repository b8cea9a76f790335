// The command line on a package whose tool never ends: the run ends at the time limit, renames
// nothing and says why in its one line on stderr.
#include "support/program_copy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(HangingTool, TheCommandLineSaysTheToolTimedOut)
{
    QTemporaryDir work;
    const QString program = work.path() + "/program";
    ASSERT_TRUE(QDir().mkpath(program));
    ASSERT_TRUE(makeProgramCopy(program, {{"aapt", "exec sleep 600\n"}}));
    ASSERT_TRUE(QFile::copy(TAVREL_FIXTURES_DIR "/apk/label-zh.apk", work.path() + "/app.apk"));

    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", work.path() + "/config");
    env.insert("TAVREL_TOOL_TIME_LIMIT_MS", "300");
    for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(display);
    run.setProcessEnvironment(env);
    run.start(program + "/tavrel", {work.path() + "/app.apk"});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(run.readAllStandardError());
    EXPECT_EQ(err, "tavrel: aapt 超时: " + work.path() + "/app.apk\n");
    EXPECT_TRUE(QFile::exists(work.path() + "/app.apk"));
    // Its scratch folders went with it.
    EXPECT_EQ(QDir(program).entryList({"temp*", ".tavrel-clearing-*"}, QDir::AllEntries | QDir::Hidden),
              QStringList());
}
