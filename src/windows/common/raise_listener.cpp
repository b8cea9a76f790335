#include "windows/common/raise_listener.h"

#include "platform/window_request.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <memory>

RaiseListener::RaiseListener(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = m_server->nextPendingConnection())
            take(peer);
    });
}

bool RaiseListener::listen(const QString &socketPath)
{
    // We hold the claim, so a socket file there is left by an instance that died.
    QLocalServer::removeServer(socketPath);
    return m_server->listen(socketPath);
}

void RaiseListener::take(QLocalSocket *peer)
{
    // What the peer sent so far, until its request is whole. A peer that leaves before it has its
    // answer (or sends nothing at all) asked for a raise: a sender that gave up waiting has told
    // its user so, and its files are not added behind its back.
    auto received = std::make_shared<QByteArray>();
    auto done = std::make_shared<bool>(false);
    const auto read = [this, peer, received, done] {
        if (*done)
            return;
        if (peer->isOpen())
            *received += peer->readAll();
        const WindowRequest::Parsed request = WindowRequest::parse(*received);
        const bool connected = peer->state() == QLocalSocket::ConnectedState;
        if (received->size() > WindowRequest::kMaxSize) {
            *done = true;
            peer->abort();
        } else if (request.kind == WindowRequest::Parsed::Open && connected) {
            *done = true;
            peer->write(WindowRequest::answer());
            peer->flush();
            peer->disconnectFromServer();
            emit filesHandedOver(request.paths);
        } else if (request.kind != WindowRequest::Parsed::Incomplete || !connected) {
            *done = true;
            emit raiseRequested();
        }
    };
    connect(peer, &QLocalSocket::readyRead, this, read);
    connect(peer, &QLocalSocket::disconnected, this, [peer, read] {
        read();
        peer->deleteLater();
    });
    read(); // what came with the connection
}
