#include "platform/tool_run.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Runs the program and returns how it ended; waits for ended(), which must come exactly once.
ToolRunResult run(const QString &program, const QStringList &arguments, const ToolLimits &limits = {})
{
    ToolRun tool;
    QSignalSpy ended(&tool, &ToolRun::ended);
    tool.start(program, arguments, limits);
    EXPECT_TRUE(ended.wait(30000));
    EXPECT_EQ(ended.size(), 1);
    return ended.isEmpty() ? ToolRunResult() : ended.first().first().value<ToolRunResult>();
}

TEST(ToolRun, OutputAndErrorArriveApartWithTheExitStatus)
{
    const ToolRunResult r =
        run("/bin/sh", {"-c", "printf 'application-label:\\047微信\\047\\r\\n'; echo oops >&2; exit 3"});
    EXPECT_EQ(r.outcome, ToolRunResult::Finished);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_FALSE(r.succeeded());
    EXPECT_EQ(QString::fromUtf8(r.output), QStringLiteral("application-label:'微信'\r\n"));
    EXPECT_EQ(r.error, "oops\n");
}

TEST(ToolRun, ArgumentsReachTheToolUnchanged)
{
    // No shell between us and the tool: quotes, blanks, $ and ; are just characters.
    const QString tricky = "a b'c\"$HOME;rm -rf x\n";
    const ToolRunResult r = run("/usr/bin/printf", {"%s", tricky});
    EXPECT_TRUE(r.succeeded());
    EXPECT_EQ(QString::fromUtf8(r.output), tricky);
}

TEST(ToolRun, EveryWayOfGoingWrongIsTold)
{
    QTemporaryDir dir;
    const ToolRunResult missing = run(dir.path() + "/no-such-tool", {});
    EXPECT_EQ(missing.outcome, ToolRunResult::FailedToStart);
    EXPECT_TRUE(missing.programMissing);

    // A tool that never ends by itself is killed at its limit.
    const ToolRunResult hanging = run("/bin/sleep", {"600"}, ToolLimits{50, 1024});
    EXPECT_EQ(hanging.outcome, ToolRunResult::TimedOut);

    const ToolRunResult crashed = run("/bin/sh", {"-c", "kill -SEGV $$"});
    EXPECT_EQ(crashed.outcome, ToolRunResult::Crashed);

    // More output than the bound allows: refused, however long the tool would go on.
    const ToolRunResult flood = run("/usr/bin/yes", {}, ToolLimits{600000, 4096});
    EXPECT_EQ(flood.outcome, ToolRunResult::Refused);
}

TEST(ToolRun, StoppingKillsTheToolAndSaysSo)
{
    ToolRun tool;
    QSignalSpy ended(&tool, &ToolRun::ended);
    tool.start("/bin/sleep", {"600"});
    EXPECT_TRUE(tool.isRunning());
    tool.stop();
    ASSERT_TRUE(ended.wait(30000));
    EXPECT_EQ(ended.first().first().value<ToolRunResult>().outcome, ToolRunResult::Stopped);
    EXPECT_FALSE(tool.isRunning());
}

} // namespace
