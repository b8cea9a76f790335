#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// The window instance listens beside its claim: a later start asks it to raise its window, or
// hands it files to add to its list (the requests are described with WindowRequest).
class RaiseListener : public QObject
{
    Q_OBJECT
public:
    explicit RaiseListener(QObject *parent = nullptr);

    // Listens at the path (a stale socket file is removed first). False when listening failed.
    bool listen(const QString &socketPath);

signals:
    void raiseRequested();
    // The sender has had its answer; the window is to come to the front as well.
    void filesHandedOver(const QStringList &paths);

private:
    void take(QLocalSocket *peer);

    QLocalServer *m_server;
};
