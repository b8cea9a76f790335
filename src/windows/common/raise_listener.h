#pragma once

#include <QObject>

class QLocalServer;

// The window instance listens beside its claim; a later start asks it to raise its window.
class RaiseListener : public QObject
{
    Q_OBJECT
public:
    explicit RaiseListener(QObject *parent = nullptr);

    // Listens at the path (a stale socket file is removed first). False when listening failed.
    bool listen(const QString &socketPath);

signals:
    void raiseRequested();

private:
    QLocalServer *m_server;
};
