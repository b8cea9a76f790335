#include "platform/tool_run.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {
bool programExists(const QString &program)
{
    if (program.contains(QLatin1Char('/')))
        return QFileInfo::exists(program);
    return !QStandardPaths::findExecutable(program).isEmpty();
}
} // namespace

ToolRun::ToolRun(QObject *parent) : QObject(parent)
{
    m_limitTimer.setSingleShot(true);
    connect(&m_limitTimer, &QTimer::timeout, this, [this] {
        m_killedFor = ToolRunResult::TimedOut;
        m_process.kill();
    });
    connect(&m_process, &QProcess::readyReadStandardOutput, this, [this] {
        m_result.output += m_process.readAllStandardOutput();
        if (m_result.output.size() > m_limits.maxOutputBytes && m_killedFor == ToolRunResult::Finished) {
            m_killedFor = ToolRunResult::Refused;
            m_process.kill();
        }
    });
    connect(&m_process, &QProcess::readyReadStandardError, this, [this] {
        const QByteArray more = m_process.readAllStandardError();
        if (m_result.error.size() < m_limits.maxOutputBytes)
            m_result.error += more;
    });
    connect(&m_process, &QProcess::finished, this, &ToolRun::onFinished);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            m_result.programMissing = !programExists(m_process.program());
            finish(ToolRunResult::FailedToStart);
        }
    });
}

ToolRun::~ToolRun()
{
    m_reported = true;
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(-1); // a killed process ends at once; this only reaps it
    }
}

void ToolRun::start(const QString &program, const QStringList &arguments, const ToolLimits &limits)
{
    m_limits = limits;
    m_result = ToolRunResult();
    m_killedFor = ToolRunResult::Finished;
    m_reported = false;
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_limitTimer.start(qMax(0, limits.timeMs));
    m_process.start();
}

void ToolRun::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_killedFor = ToolRunResult::Stopped;
    m_process.kill();
}

void ToolRun::onFinished(int exitCode, QProcess::ExitStatus status)
{
    m_result.output += m_process.readAllStandardOutput();
    m_result.error += m_process.readAllStandardError();
    m_result.exitCode = exitCode;
    if (m_killedFor != ToolRunResult::Finished)
        finish(m_killedFor);
    else
        finish(status == QProcess::CrashExit ? ToolRunResult::Crashed : ToolRunResult::Finished);
}

void ToolRun::finish(ToolRunResult::Outcome outcome)
{
    m_limitTimer.stop();
    if (m_reported)
        return;
    m_reported = true;
    m_result.outcome = outcome;
    // Reported from the event loop, never from inside QProcess's own calls, so that a receiver may
    // start the next run at once.
    QMetaObject::invokeMethod(
        this, [this, result = m_result] { emit ended(result); }, Qt::QueuedConnection);
}
