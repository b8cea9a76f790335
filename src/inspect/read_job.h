#pragma once

#include "inspect/ipa_unpack.h"
#include "inspect/package_reading.h"
#include "inspect/tool_command.h"
#include "platform/tool_run.h"

#include <QList>
#include <QObject>

// One package read in one scratch folder: the tool runs one after another, each started when the
// one before has ended (QProcess's signals; nothing waits), then the output is read. done() comes
// once, unless the job is destroyed first (its running tool is killed then).
class ReadJob : public QObject
{
    Q_OBJECT
public:
    // The scratch folder is cleared through clearing, which outlives the job.
    ReadJob(ReadKind kind, const QString &packagePath, const QString &scratchFolder, const ToolLimits &limits,
            ScratchClearing *clearing, QObject *parent = nullptr);

    void start();

signals:
    void done(const PackageReading &reading);

private:
    void runNext();
    void onToolEnded(const ToolRunResult &result);
    void finish();

    PackageReading m_reading;
    QString m_folder; // ends with '/'
    ScratchClearing *m_clearing;
    ToolLimits m_limits;
    QList<ToolCommand> m_steps;
    qsizetype m_next = 0;
    qsizetype m_extractions = 0; // the first steps extract; the walk follows them
    ToolRun m_run;
};
