#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

class PackageReader;
class ToolRun;
struct ToolRunResult;

// Package icons for the window, read by tavrel-thumbnailer in the background: a few runs at a
// time, each waited for through its finished signal, so that asking never blocks. Icons are kept
// by path, size and the file's modification time and length, so a file changed on disk is read
// again.
//
// Reading the packages themselves comes first: no run starts while the reader it yields to has
// work, and while held (an intake under way) the running ones are ended and asked again later.
// An icon whose turn comes when it is no longer wanted (its row scrolled out of view) is passed
// over until it is asked for again.
class PackageIcons : public QObject
{
    Q_OBJECT
public:
    // thumbnailer: the executable to run; by default the one in the program folder.
    explicit PackageIcons(QObject *parent = nullptr, QString thumbnailer = {});
    // Stops (see stop()).
    ~PackageIcons() override;

    // The icon as PNG bytes when it is known; otherwise empty, and the icon is read unless it
    // already was (a package without an icon stays empty). iconReady follows a read.
    QByteArray icon(const QString &path, int size);

    // No run starts while the reader has reads waiting or running; the icons asked meanwhile are
    // read once it falls idle.
    void yieldTo(PackageReader *reader);
    // While held no run starts, and the runs under way are ended and their icons put back in the
    // queue.
    void setHeld(bool held);
    bool isHeld() const { return m_held; }
    // Asked when an icon's turn comes; an icon not wanted any more is dropped from the queue.
    using Wanted = std::function<bool(const QString &path, int size)>;
    void setWanted(Wanted wanted) { m_wanted = std::move(wanted); }

    // Kills the runs under way and drops the icons waiting; no iconReady follows for them.
    void stop();

    int runningCount() const { return int(m_running.size()); }
    int waitingCount() const { return int(m_order.size()); }

    // Runs at once at most; asks beyond wait their turn, the latest first (the rows now in view).
    static constexpr int MaxRunning = 2;
    // A run that takes longer is ended: the package counts as one without an icon.
    static constexpr int TimeLimitMs = 15000;

signals:
    void iconReady(const QString &path, int size);

private:
    struct Request
    {
        QString key;
        QString path;
        int size;
    };
    struct Run
    {
        ToolRun *tool;
        Request request;
        QString output;
    };
    void enqueue(const Request &request);
    bool mayStart() const;
    void startNext();
    void start(const Request &request);
    void finish(ToolRun *tool, const ToolRunResult &result);
    // Ends a run without an outcome: the tool is killed and goes once it has ended.
    void withdraw(const Run &run);

    QString m_thumbnailer;
    QTemporaryDir m_scratch;
    QHash<QString, QByteArray> m_known; // key -> PNG, empty when the package has none
    QHash<QString, Request> m_waiting;
    QStringList m_order; // keys of m_waiting, the latest last
    QList<Run> m_running;
    QPointer<PackageReader> m_reader;
    Wanted m_wanted;
    bool m_held = false;
    quint64 m_runs = 0;
};
