#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Package icons for the window, read by tavrel-thumbnailer in the background: a few runs at a
// time, each waited for through its finished signal, so that asking never blocks and never slows
// the reading of the packages themselves. Icons are kept by path, size and the file's
// modification time and length, so a file changed on disk is read again.
class PackageIcons : public QObject
{
    Q_OBJECT
public:
    // thumbnailer: the executable to run; by default the one in the program folder.
    explicit PackageIcons(QObject *parent = nullptr, QString thumbnailer = {});

    // The icon as PNG bytes when it is known; otherwise empty, and the icon is read unless it
    // already was (a package without an icon stays empty). iconReady follows a read.
    QByteArray icon(const QString &path, int size);

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
    void startNext();
    void finish(const Request &request, const QString &output, bool ok);

    QString m_thumbnailer;
    QTemporaryDir m_scratch;
    QHash<QString, QByteArray> m_known; // key -> PNG, empty when the package has none
    QHash<QString, Request> m_waiting;
    QStringList m_order; // keys of m_waiting, the latest last
    int m_running = 0;
    quint64 m_runs = 0;
};
