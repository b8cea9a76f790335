#include "core/startup.h"

#include "platform/settings_store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace Startup {

QString windowTitle()
{
    return QStringLiteral("Tavrel v4.0.0112 (apk/ipa)");
}

QString commandLineTail(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

QString normalisedPath(const QString &tail)
{
    if (tail.trimmed().isEmpty())
        return QString();
    // Only made absolute: the name keeps its own characters, surrounding blanks included.
    return QDir::current().absoluteFilePath(tail);
}

QStringList toolNames()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("aapt.exe"), QStringLiteral("7za.exe"), QStringLiteral("plistconvert.exe")};
#else
    return {QStringLiteral("aapt"), QStringLiteral("7za"), QStringLiteral("plistconvert")};
#endif
}

QString firstMissingTool(const QString &programFolder)
{
    for (const QString &tool : toolNames()) {
        if (!QFileInfo(programFolder + QLatin1Char('/') + tool).isFile())
            return tool;
    }
    return QString();
}

QString missingToolMessage(const QString &toolName)
{
    return QLatin1Char('"') + toolName + QLatin1Char('"') + QStringLiteral("文件丢失,软件无法正常运行.");
}

QString alreadyRunningMessage()
{
    return QStringLiteral("软件已在运行...");
}

} // namespace Startup

SingleInstance::SingleInstance(const QString &key, QObject *parent) : QObject(parent), m_key(key) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey()
{
    // One instance per user and settings file: a run with another XDG_CONFIG_HOME is another user.
    const QByteArray settings = SettingsStore::filePath().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(settings, QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("tavrel-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest));
}

bool SingleInstance::claim()
{
    QLocalSocket probe;
    probe.connectToServer(m_key);
    if (probe.waitForConnected(500)) {
        probe.write("raise\n");
        probe.waitForBytesWritten(500);
        probe.disconnectFromServer();
        return false;
    }
    // Nobody answers: a socket file left by an instance that crashed is stale.
    QLocalServer::removeServer(m_key);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_key))
        return true; // cannot listen (odd file system): run rather than refuse
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = m_server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            emit raiseRequested();
        }
    });
    return true;
}
