#include "platform/instance_claim.h"

#include "platform/scratch_files.h"

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

// A folder only we can use: a real folder (not a link), ours, and closed to everyone else. A
// shared one (XDG_RUNTIME_DIR set to /tmp, or kept across su) would let another user hold our
// lock or listen at our socket's name.
bool isPrivateFolder(const QByteArray &name)
{
    struct stat info;
    return ::lstat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & 077) == 0;
}

// The per-user runtime folder when it is private; otherwise a folder of our own under /tmp, and
// failing that one in the user's cache folder.
QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(QFile::encodeName(runtime)))
        return runtime;
    const QString own = QStringLiteral("/tmp/tavrel-%1").arg(getuid());
    if (makePrivateFolder(own) && isPrivateFolder(QFile::encodeName(own)))
        return own;
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString fallback = cache + QStringLiteral("/tavrel-run");
    makePrivateFolder(fallback);
    return fallback;
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
    const int fd = ::open(QFile::encodeName(m_path).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0)
        return true; // no lock can be had here (odd file system): run rather than refuse
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid()) {
        // Someone else's file at our name says nothing about our instances.
        ::close(fd);
        return true;
    }
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
    // Never blocking: a listener that never accepts fills its queue, and then a blocking connect
    // would wait for ever. A full queue is tried again for a moment only.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    bool connected = false;
    for (int attempt = 0; attempt < 10; ++attempt) {
        connected = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0;
        if (connected || errno != EAGAIN)
            break;
        ::usleep(50 * 1000);
    }
    const bool sent = connected && ::send(fd, "raise\n", 6, MSG_NOSIGNAL | MSG_DONTWAIT) == 6;
    ::close(fd);
    return sent;
}
