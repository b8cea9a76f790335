#include "inspect/package_reader.h"

#include "inspect/read_job.h"

#include <QDir>

void ReadWorker::read(quint64 ticket, int kind, const QString &path, int timeMs, qint64 maxOutputBytes)
{
    stop();
    auto *job =
        new ReadJob(ReadKind(kind), path, m_folder, ToolLimits{timeMs, maxOutputBytes}, m_clearing, this);
    m_job = job;
    connect(job, &ReadJob::done, this, [this, job, ticket](const PackageReading &reading) {
        if (m_job == job)
            m_job = nullptr;
        job->deleteLater();
        emit readingDone(m_index, ticket, reading);
    });
    job->start();
}

void ReadWorker::stop()
{
    delete m_job; // kills its running tool
    m_job = nullptr;
}

PackageReader::PackageReader(int workers, QObject *parent) : QObject(parent)
{
    qRegisterMetaType<PackageReading>();
    const int count = workers > 0 ? workers : qMax(1, QThread::idealThreadCount());
    m_workers.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        Worker &worker = m_workers[size_t(i)];
        worker.thread = std::make_unique<QThread>();
        worker.thread->setObjectName(QStringLiteral("reader %1").arg(i));
        worker.object = new ReadWorker(i, ScratchFolder::path(i), &m_clearing);
        worker.object->moveToThread(worker.thread.get());
        connect(worker.thread.get(), &QThread::finished, worker.object, &QObject::deleteLater);
        connect(worker.object, &ReadWorker::readingDone, this, &PackageReader::onWorkerDone);
        worker.thread->start();
    }
    // Whatever an earlier run left in the scratch location goes first.
    m_clearing.clearAll();
}

PackageReader::~PackageReader()
{
    stop();
    for (Worker &worker : m_workers) {
        worker.thread->quit();
        worker.thread->wait();
    }
    m_clearing.wait();
}

quint64 PackageReader::read(ReadKind kind, const QString &packagePath)
{
    const quint64 ticket = m_nextTicket++;
    m_queue.enqueue({ticket, kind, packagePath});
    dispatch();
    return ticket;
}

int PackageReader::pending() const
{
    int running = 0;
    for (const Worker &worker : m_workers)
        running += worker.ticket != 0 ? 1 : 0;
    return int(m_queue.size()) + running;
}

void PackageReader::dispatch()
{
    for (size_t i = 0; i < m_workers.size() && !m_queue.isEmpty(); ++i) {
        Worker &worker = m_workers[i];
        if (worker.ticket != 0)
            continue;
        const Request request = m_queue.dequeue();
        worker.ticket = request.ticket;
        QMetaObject::invokeMethod(worker.object, "read", Qt::QueuedConnection, Q_ARG(quint64, request.ticket),
                                  Q_ARG(int, int(request.kind)), Q_ARG(QString, request.path),
                                  Q_ARG(int, m_limits.timeMs), Q_ARG(qint64, m_limits.maxOutputBytes));
    }
}

void PackageReader::onWorkerDone(int index, quint64 ticket, const PackageReading &reading)
{
    Worker &worker = m_workers[size_t(index)];
    if (worker.ticket != ticket)
        return; // a read dropped by stop()
    worker.ticket = 0;
    dispatch();
    emit packageRead(ticket, reading);
    if (pending() == 0)
        fallIdle();
}

void PackageReader::fallIdle()
{
    m_clearing.clearAll();
    emit idle();
}

void PackageReader::stop()
{
    const bool wasBusy = pending() > 0;
    m_queue.clear();
    for (Worker &worker : m_workers) {
        if (worker.ticket == 0)
            continue;
        // Returns once the worker has killed its tool; its thread never waits for anything else.
        QMetaObject::invokeMethod(worker.object, "stop", Qt::BlockingQueuedConnection);
        worker.ticket = 0;
    }
    m_clearing.clearAll();
    if (wasBusy)
        emit idle();
}
