#include "platform/instance_claim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The per-user runtime folder; without one, a folder of our own under /tmp that only we may use.
QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    const QString own = QStringLiteral("/tmp/tavrel-%1").arg(getuid());
    const QByteArray name = QFile::encodeName(own);
    ::mkdir(name.constData(), 0700);
    struct stat info;
    if (::lstat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid())
        return own;
    return QDir::homePath();
}

} // namespace

InstanceClaim::InstanceClaim(const QString &lockPath) : m_path(lockPath) {}

InstanceClaim::~InstanceClaim()
{
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the lock; the file stays for the next holder
}

bool InstanceClaim::tryClaim()
{
    if (m_fd >= 0)
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const int fd =
        ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return true; // no lock can be had here (odd file system): run rather than refuse
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return !held;
    }
    m_fd = fd;
    return true;
}

bool InstanceClaim::isHeld() const
{
    return m_fd >= 0;
}

QString InstanceClaim::lockPathFor(const QString &settingsFile)
{
    const QByteArray digest =
        QCryptographicHash::hash(settingsFile.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return runtimeFolder() +
           QStringLiteral("/tavrel-%1-%2.lock").arg(getuid()).arg(QString::fromLatin1(digest));
}

QString InstanceClaim::raiseSocketPathFor(const QString &lockPath)
{
    QString socket = lockPath;
    socket.chop(int(qstrlen(".lock")));
    return socket + QStringLiteral(".sock");
}

bool requestRaise(const QString &socketPath)
{
    const QByteArray name = QFile::encodeName(socketPath);
    sockaddr_un address{};
    if (name.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool sent = false;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0)
        sent = ::send(fd, "raise\n", 6, MSG_NOSIGNAL) == 6;
    ::close(fd);
    return sent;
}
