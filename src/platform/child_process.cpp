#include "platform/child_process.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {
bool programExists(const QString &program)
{
    if (program.contains(QLatin1Char('/')))
        return QFileInfo::exists(program);
    return !QStandardPaths::findExecutable(program).isEmpty();
}
} // namespace

ChildProcessResult runChildProcess(const QString &program, const QStringList &arguments,
                                   const QString &stdoutFile, bool handleEvents, const WaitLimit &limit)
{
    ChildProcessResult result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardOutputFile(stdoutFile.isEmpty() ? QProcess::nullDevice() : stdoutFile);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());

    const bool forEver = limit.maxTicks < 0;
    const int waitMs = forEver ? -1 : int(qMin<qint64>(qint64(limit.tickMs) * limit.maxTicks, INT_MAX));
    bool startFailed = false;
    bool timedOut = false;
    if (!handleEvents) {
        process.start();
        startFailed = !process.waitForStarted(-1);
        timedOut = !startFailed && !process.waitForFinished(waitMs);
    } else {
        // Wait in a local event loop: the window keeps repainting, and the tool's end is seen at
        // once rather than at the next poll.
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                startFailed = true;
                loop.quit();
            }
        });
        QTimer ticker;
        int ticks = 0;
        QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
            if (++ticks >= limit.maxTicks) {
                timedOut = true;
                loop.quit();
            }
        });
        process.start();
        if (!forEver) {
            if (limit.maxTicks == 0)
                timedOut = true;
            else
                ticker.start(limit.tickMs);
        }
        // A start that fails is reported from inside start(); the loop is only needed for a running tool.
        if (!startFailed && !timedOut)
            loop.exec();
        timedOut = timedOut && process.state() != QProcess::NotRunning;
    }

    if (startFailed) {
        result.programMissing = !programExists(program);
        return result;
    }
    if (timedOut) {
        process.kill();
        process.waitForFinished(-1);
        result.outcome = ChildProcessResult::TimedOut;
        return result;
    }
    result.outcome = ChildProcessResult::Finished;
    result.exitCode = process.exitCode();
    return result;
}
