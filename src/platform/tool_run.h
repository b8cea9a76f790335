#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

// How one run of a tool ended. Its output and its error text are kept apart, and a run that did
// not end by itself says why, so that a reader never takes an error for a report.
struct ToolRunResult
{
    enum Outcome {
        Finished,      // ended by itself; exitCode holds its status
        FailedToStart, // could not be started (programMissing tells whether it is there at all)
        TimedOut,      // still running at the time limit, and killed
        Crashed,       // ended by a signal
        Refused,       // wrote more than its bound allows, and killed
        Stopped        // killed because the program stops reading
    };
    Outcome outcome = FailedToStart;
    int exitCode = -1;
    bool programMissing = false;
    QByteArray output;
    QByteArray error;

    // Ended by itself with status 0.
    bool succeeded() const { return outcome == Finished && exitCode == 0; }
};

// What a run may take: wall-clock time and standard output (standard error is cut at the same
// bound but never refused).
struct ToolLimits
{
    // Two minutes: far more than any honest package needs, and a hostile one cannot hold a worker.
    int timeMs = 120000;
    qint64 maxOutputBytes = 64 * 1024 * 1024;
};

// One tool run through QProcess's signals: start() returns at once and ended() comes once, when
// the tool has ended or was killed. Always an argument vector, never a shell, so file names with
// quotes, blanks, '$', ';' or newlines reach the tool unchanged. Standard input is empty.
class ToolRun : public QObject
{
    Q_OBJECT
public:
    explicit ToolRun(QObject *parent = nullptr);
    // A tool still running is killed (and reaped) with it; no ended() follows.
    ~ToolRun() override;

    void start(const QString &program, const QStringList &arguments, const ToolLimits &limits = {});
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    // Kills a running tool; ended() follows with Stopped.
    void stop();

signals:
    void ended(const ToolRunResult &result);

private:
    void finish(ToolRunResult::Outcome outcome);
    void onFinished(int exitCode, QProcess::ExitStatus status);

    QProcess m_process;
    QTimer m_limitTimer;
    ToolLimits m_limits;
    ToolRunResult m_result;
    ToolRunResult::Outcome m_killedFor = ToolRunResult::Finished;
    bool m_reported = true;
};

Q_DECLARE_METATYPE(ToolRunResult)
