#include "core/program_folder.h"
#include "inspect/command_runner.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class CommandRunnerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ProgramFolder::overrideForTests(dir.path(), dir.path());
    }
    void TearDown() override
    {
        CommandRunner::setMaxPollsForTests(CommandRunner::kMaxPolls);
        ProgramFolder::overrideForTests({}, {});
    }
    static ToolCommand shell(const QString &script) { return {"/bin/sh", {"-c", script}}; }
    QString scratch() const { return dir.path() + "/tempinfor.txt"; }

    QTemporaryDir dir;
};

TEST_F(CommandRunnerTest, ChineseOutputComesBackUnchangedAndTheScratchFileIsGone)
{
    const QString out = CaptureCommandOutput(shell("printf 'application-label:\\047微信\\047\\r\\n'"));
    EXPECT_EQ(out, QStringLiteral("application-label:'微信'\r\n"));
    EXPECT_FALSE(QFile::exists(scratch()));
}

TEST_F(CommandRunnerTest, StaleOutputIsNeverReturned)
{
    QFile stale(scratch());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("application-label:'stale'");
    stale.close();
    EXPECT_EQ(CaptureCommandOutput({"/bin/true", {}}), QString());
    EXPECT_FALSE(QFile::exists(scratch()));
}

TEST_F(CommandRunnerTest, ArgumentsReachTheToolUnchanged)
{
    // No shell between us and the tool: quotes, blanks, $ and ; are just characters.
    const QString tricky = "a b'c\"$HOME;rm -rf x\n";
    EXPECT_EQ(CaptureCommandOutput({"/usr/bin/printf", {"%s", tricky}}), tricky);
}

TEST_F(CommandRunnerTest, MissingProgramGivesErrorFiftyThree)
{
    const QString out = CaptureCommandOutput({dir.path() + "/no-such-tool", {"d", "badging"}});
    EXPECT_TRUE(out.startsWith(QStringLiteral("错误: 53 - "))) << out.toStdString();
}

TEST_F(CommandRunnerTest, ToolThatNeverEndsTimesOut)
{
    CommandRunner::setMaxPollsForTests(3);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(CaptureCommandOutput({"/bin/sleep", {"30"}}), QStringLiteral("错误: 操作已超时!"));
    EXPECT_LT(clock.elapsed(), 10000); // killed, not waited for
    EXPECT_FALSE(QFile::exists(scratch()));
}

TEST_F(CommandRunnerTest, QuickToolIsReadWithoutWaitingForAPollTick)
{
    // Ten captures of a tool that ends at once: far less than ten 50 ms ticks.
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(CaptureCommandOutput({"/bin/echo", {"x"}}), "x\n");
    EXPECT_LT(clock.elapsed(), 10 * CommandRunner::kPollIntervalMs);
}

TEST_F(CommandRunnerTest, SecondCaptureWhileOneWaitsIsRefused)
{
    QString inner;
    QTimer::singleShot(50, [&] { inner = CaptureCommandOutput({"/bin/echo", {"inner"}}); });
    const QString outer = CaptureCommandOutput(shell("sleep 0.4; echo outer"));
    EXPECT_EQ(outer, "outer\n");
    EXPECT_TRUE(inner.startsWith(QStringLiteral("错误: 70 - "))) << inner.toStdString();
    // Once the first has ended, captures run again.
    EXPECT_EQ(CaptureCommandOutput({"/bin/echo", {"again"}}), "again\n");
}

TEST_F(CommandRunnerTest, RunHiddenAndWaitBlocksUntilTheToolHasEnded)
{
    const QString marker = dir.path() + "/done";
    EXPECT_TRUE(RunHiddenAndWait(shell("sleep 0.2; touch '" + marker + "'")));
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_FALSE(RunHiddenAndWait({dir.path() + "/missing", {}}));
}

TEST_F(CommandRunnerTest, ReadUtf8FileOnMissingEmptyAndChineseFiles)
{
    EXPECT_EQ(ReadUtf8File(dir.path() + "/missing.xml"), QString());
    QFile empty(dir.path() + "/empty.xml");
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(ReadUtf8File(empty.fileName()), QString());
    QFile text(dir.path() + "/text.xml");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QStringLiteral("<string>微信</string>").toUtf8());
    text.close();
    EXPECT_EQ(ReadUtf8File(text.fileName()), QStringLiteral("<string>微信</string>"));
}

} // namespace
