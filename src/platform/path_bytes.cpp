#include "platform/path_bytes.h"

#include <QFile>
#include <QHash>
#include <QMutex>

#include <fcntl.h>
#include <unistd.h>

namespace PathBytes {

namespace {

constexpr char16_t kFirstStandIn = 0xDC80;

// The length of the valid UTF-8 sequence at bytes[i], or 0.
int sequenceLength(const QByteArray &bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return k < bytes.size() ? uchar(bytes.at(k)) : 0u; };
    const uint lead = at(i);
    const auto follows = [&](qsizetype k) { return (at(k) & 0xC0) == 0x80; };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return follows(i + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const uint second = at(i + 1);
        // No overlong forms, no surrogates.
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0))
            return 0;
        return follows(i + 1) && follows(i + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const uint second = at(i + 1);
        if ((lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
            return 0;
        return follows(i + 1) && follows(i + 2) && follows(i + 3) ? 4 : 0;
    }
    return 0;
}

bool isStandIn(QChar c)
{
    return c.unicode() >= kFirstStandIn && c.unicode() <= kFirstStandIn + 0x7F;
}

// Descriptors of the folders reached so far, by their bytes: each is opened once.
QHash<QByteArray, int> g_openFolders;
QMutex g_openFoldersLock;

} // namespace

QString decode(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = sequenceLength(bytes, i);
        if (length > 0) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(bytes.constData() + plainFrom, i - plainFrom);
        text += QChar(char16_t(kFirstStandIn + (uchar(bytes.at(i)) - 0x80)));
        plainFrom = ++i;
    }
    text += QString::fromUtf8(bytes.constData() + plainFrom, bytes.size() - plainFrom);
    return text;
}

QByteArray encode(const QString &path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isStandIn(path.at(i)))
            continue;
        bytes += QStringView(path).mid(plainFrom, i - plainFrom).toUtf8();
        bytes += char(0x80 + (path.at(i).unicode() - kFirstStandIn));
        plainFrom = i + 1;
    }
    bytes += QStringView(path).mid(plainFrom).toUtf8();
    return bytes;
}

bool isPlain(const QString &path)
{
    return std::none_of(path.cbegin(), path.cend(), isStandIn);
}

QString reachable(const QString &path)
{
    if (isPlain(path))
        return path;
    // The folder is opened by its bytes; the name in it, when plain, is kept as a name so that
    // it still says what the file is (its extension above all).
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = path.mid(slash + 1);
    const bool plainName = slash >= 0 && isPlain(name) && !name.isEmpty();
    const QByteArray target = encode(plainName ? path.left(qMax<qsizetype>(slash, 1)) : path);
    int fd;
    {
        const QMutexLocker locker(&g_openFoldersLock);
        fd = g_openFolders.value(target, -1);
        if (fd < 0) {
            fd = ::open(target.constData(), O_PATH | O_CLOEXEC);
            if (fd < 0)
                return path;
            g_openFolders.insert(target, fd);
        }
    }
    // By the process id, not "self": the tools this process starts reach it through the same path.
    const QString through = QStringLiteral("/proc/%1/fd/%2").arg(::getpid()).arg(fd);
    return plainName ? through + QLatin1Char('/') + name : through;
}

} // namespace PathBytes
