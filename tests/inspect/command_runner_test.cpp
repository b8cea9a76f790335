#include "inspect/command_runner.h"
#include "platform/program_folder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class CommandRunnerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    static ToolCommand shell(const QString &script) { return {"/bin/sh", {"-c", script}}; }
    QString scratch() const { return dir.path() + "/tempinfor.txt"; }

    QTemporaryDir dir;
    const ProgramFolder::ScopedOverride folderOverride{dir.path(), dir.path()};
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
    // Three ticks of a millisecond: the tool is killed long before it would end by itself.
    EXPECT_EQ(CaptureCommandOutput({"/bin/sleep", {"30"}}, WaitLimit{1, 3}),
              QStringLiteral("错误: 操作已超时!"));
    EXPECT_FALSE(QFile::exists(scratch()));
    EXPECT_FALSE(RunHiddenAndWait({"/bin/sleep", {"30"}}, WaitLimit{1, 3}));
}

TEST_F(CommandRunnerTest, QuickToolIsReadWithoutWaitingForAPollTick)
{
    // One tick that would come only after ten minutes: a capture that waited for a tick to notice
    // the tool's end would time out instead of returning the output.
    const WaitLimit oneLongTick{600000, 1};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(CaptureCommandOutput({"/bin/echo", {"x"}}, oneLongTick), "x\n");
    EXPECT_TRUE(RunHiddenAndWait({"/bin/true", {}}, oneLongTick));
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
