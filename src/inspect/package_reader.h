#pragma once

#include "inspect/ipa_unpack.h"
#include "inspect/package_reading.h"
#include "platform/tool_run.h"

#include <QObject>
#include <QQueue>
#include <QThread>
#include <memory>
#include <vector>

class ReadWorker;

// The one reader of packages, for the list, the details windows and the command line. It reads
// several packages at once: each of its workers is a thread of its own with a scratch folder of
// its own ("temp", "temp1", ...), so two packages never meet in a folder. Tools run through
// QProcess's signals; nothing ever waits for one or pumps the event loop.
//
// read() returns at once; packageRead() comes for every read, in the order the reads end, unless
// stop() came first. The scratch folders are cleared when it is made, whenever it falls idle and
// when it stops.
class PackageReader : public QObject
{
    Q_OBJECT
public:
    // workers <= 0: one per processor.
    explicit PackageReader(int workers = 0, QObject *parent = nullptr);
    // Stops: running tools are killed, the scratch folders cleared, and the clearing waited for.
    ~PackageReader() override;

    int workerCount() const { return int(m_workers.size()); }
    ToolLimits toolLimits() const { return m_limits; }
    void setToolLimits(const ToolLimits &limits) { m_limits = limits; }

    // Queues the read and returns its ticket (never 0).
    quint64 read(ReadKind kind, const QString &packagePath);
    // Reads waiting or running.
    int pending() const;
    bool isIdle() const { return pending() == 0; }

    // Drops the reads waiting, kills the running tools and clears the scratch folders, waiting for
    // nothing but the kills. No packageRead() follows for the reads dropped.
    void stop();

signals:
    void packageRead(quint64 ticket, const PackageReading &reading);
    // The last pending read has ended (or the reader was stopped).
    void idle();

private:
    struct Request
    {
        quint64 ticket = 0;
        ReadKind kind = ReadKind::Badging;
        QString path;
    };
    struct Worker
    {
        std::unique_ptr<QThread> thread;
        ReadWorker *object = nullptr;
        quint64 ticket = 0; // the read it runs; 0 when free
    };

    void dispatch();
    void onWorkerDone(int worker, quint64 ticket, const PackageReading &reading);
    void fallIdle();

    std::vector<Worker> m_workers;
    QQueue<Request> m_queue;
    quint64 m_nextTicket = 1;
    ToolLimits m_limits;
    ScratchClearing m_clearing;
};

// A worker's side: lives in the worker's thread and runs one read at a time there.
class ReadWorker : public QObject
{
    Q_OBJECT
public:
    ReadWorker(int index, const QString &folder, ScratchClearing *clearing)
        : m_index(index), m_folder(folder), m_clearing(clearing)
    {
    }

public slots:
    void read(quint64 ticket, int kind, const QString &path, int timeMs, qint64 maxOutputBytes);
    // Drops the running read: its tool is killed and no readingDone() follows.
    void stop();

signals:
    void readingDone(int worker, quint64 ticket, const PackageReading &reading);

private:
    int m_index;
    QString m_folder;
    ScratchClearing *m_clearing;
    QObject *m_job = nullptr;
};
