#include "platform/window_request.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace WindowRequest {

namespace {

const QByteArray kOpenHeader = QByteArrayLiteral("open\n");

} // namespace

QByteArray openMessage(const QStringList &paths)
{
    QByteArray message = kOpenHeader;
    for (const QString &path : paths) {
        const QByteArray name = QFile::encodeName(path);
        if (name.isEmpty() || name.contains('\0'))
            continue; // no such file can exist, and it would end the list early
        message += name;
        message += '\0';
    }
    message += '\0';
    return message;
}

QByteArray answer()
{
    return QByteArrayLiteral("ok\n");
}

Parsed parse(const QByteArray &received)
{
    Parsed parsed;
    if (!received.startsWith(kOpenHeader)) {
        // Still on the way to an open request, or something else: a raise.
        if (!kOpenHeader.startsWith(received))
            parsed.kind = Parsed::Raise;
        return parsed;
    }
    qsizetype from = kOpenHeader.size();
    QStringList paths;
    while (from < received.size()) {
        const qsizetype end = received.indexOf('\0', from);
        if (end < 0)
            return parsed;
        if (end == from) {
            parsed.kind = Parsed::Open;
            parsed.paths = paths;
            return parsed;
        }
        paths << QFile::decodeName(received.mid(from, end - from));
        from = end + 1;
    }
    return parsed;
}

} // namespace WindowRequest

namespace {

// A closed-on-exec, non-blocking stream socket connected to the path; -1 while nobody takes it.
int connectTo(const QByteArray &name)
{
    sockaddr_un address{};
    if (name.size() >= qsizetype(sizeof(address.sun_path)))
        return -1;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Waits one tick for the socket to become ready for the events; false when the tick passed.
bool waitTick(int fd, short events, const WaitLimit &limit)
{
    pollfd entry{fd, events, 0};
    return ::poll(&entry, 1, limit.tickMs) > 0;
}

} // namespace

bool handOverFiles(const QString &socketPath, const QStringList &paths, const WaitLimit &limit)
{
    const QByteArray name = QFile::encodeName(socketPath);
    const QByteArray message = WindowRequest::openMessage(paths);
    const QByteArray expected = WindowRequest::answer();
    const auto ticksLeft = [&limit](int used) { return limit.maxTicks < 0 || used < limit.maxTicks; };

    int used = 0;
    int fd = connectTo(name);
    while (fd < 0 && ticksLeft(used)) {
        ::poll(nullptr, 0, limit.tickMs);
        ++used;
        fd = connectTo(name);
    }
    if (fd < 0)
        return false;

    qsizetype sent = 0;
    QByteArray received;
    bool failed = false;
    while (!failed && received.size() < expected.size()) {
        const bool sending = sent < message.size();
        if (!waitTick(fd, sending ? POLLOUT : POLLIN, limit)) {
            if (!ticksLeft(++used))
                break;
            continue;
        }
        if (sending) {
            const ssize_t n =
                ::send(fd, message.constData() + sent, size_t(message.size() - sent), MSG_NOSIGNAL);
            if (n > 0)
                sent += n;
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                failed = true;
            continue;
        }
        char buffer[16];
        const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
        if (n > 0)
            received.append(buffer, n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            failed = true; // the window went away without answering
    }
    ::close(fd);
    return !failed && received.startsWith(expected);
}
