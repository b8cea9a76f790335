#pragma once

#include <QString>
#include <QStringList>

// Starting a tool: always with an argument vector, never through a shell, so file names with
// quotes, blanks, '$', ';' or newlines reach the tool unchanged.
struct ChildProcessResult
{
    enum Outcome { Finished, FailedToStart, TimedOut };
    Outcome outcome = FailedToStart;
    int exitCode = -1;
    // Why the start failed: the program does not exist (true) or exists but cannot be run.
    bool programMissing = false;
};

// How long a run may take: maxTicks ticks of tickMs each (maxTicks < 0: for ever). The time is
// counted in ticks so that a caller can make it as short or as long as it likes without a clock.
struct WaitLimit
{
    int tickMs = 50;
    int maxTicks = -1;
};

// Runs the program with its standard output written to stdoutFile (created or truncated; empty:
// discarded) and its standard error discarded. While waiting, events of the calling thread are
// handled when handleEvents is true; otherwise the call blocks. A program still running when the
// limit is reached is killed. The end of the program is seen at once, not at the next tick.
ChildProcessResult runChildProcess(const QString &program, const QStringList &arguments,
                                   const QString &stdoutFile, bool handleEvents, const WaitLimit &limit);
