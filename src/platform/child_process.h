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

// Runs the program with its standard output written to stdoutFile (created or truncated; empty:
// discarded) and its standard error discarded. While waiting, events of the calling thread are
// handled when handleEvents is true; otherwise the call blocks. timeoutMs < 0 waits for ever; a
// program still running at the time-out is killed.
ChildProcessResult runChildProcess(const QString &program, const QStringList &arguments,
                                   const QString &stdoutFile, bool handleEvents, qint64 timeoutMs);
