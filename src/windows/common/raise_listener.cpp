#include "windows/common/raise_listener.h"

#include <QLocalServer>
#include <QLocalSocket>

RaiseListener::RaiseListener(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = m_server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            emit raiseRequested();
        }
    });
}

bool RaiseListener::listen(const QString &socketPath)
{
    // We hold the claim, so a socket file there is left by an instance that died.
    QLocalServer::removeServer(socketPath);
    return m_server->listen(socketPath);
}
