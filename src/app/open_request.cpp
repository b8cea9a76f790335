#include "app/open_request.h"

#include "app/startup.h"
#include "platform/instance_claim.h"
#include "platform/settings_store.h"
#include "platform/window_request.h"

#include <QDir>
#include <QFileInfo>

namespace OpenRequest {

std::optional<QStringList> filesToOpen(const QStringList &arguments)
{
    if (arguments.size() < 2 || arguments.at(1) != QLatin1String("--open"))
        return std::nullopt;
    if (QFileInfo::exists(QDir::current().absoluteFilePath(Startup::commandLineTail(arguments))))
        return std::nullopt;
    QStringList files;
    for (const QString &file : arguments.mid(2)) {
        if (!file.isEmpty())
            files << QDir::current().absoluteFilePath(file);
    }
    return files;
}

QStringList dialogPatterns()
{
    return {QStringLiteral("*.apk"), QStringLiteral("*.xapk"), QStringLiteral("*.apks"),
            QStringLiteral("*.apkm"), QStringLiteral("*.ipa")};
}

QStringList choosableAmong(const QStringList &paths)
{
    const QStringList patterns = dialogPatterns();
    QStringList choosable;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isFile() && QDir::match(patterns, info.fileName()))
            choosable << path;
    }
    return choosable;
}

HandOver handToRunningWindow(const QStringList &files, const WaitLimit &limit)
{
    const QString lockPath = InstanceClaim::lockPathFor(SettingsStore::filePath());
    {
        // Only a look: the claim goes again at once, for the window mode that follows to take.
        InstanceClaim probe(lockPath);
        if (probe.tryClaim())
            return HandOver::NoWindowRunning;
    }
    return handOverFiles(InstanceClaim::raiseSocketPathFor(lockPath), files, limit) ? HandOver::HandedOver
                                                                                    : HandOver::NotAnswered;
}

} // namespace OpenRequest
