#include "core/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
QString g_programOverride;
QString g_scratchOverride;

bool isWritableFolder(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.tavrel-probe-XXXXXX"));
    return probe.open();
}
} // namespace

namespace ProgramFolder {

QString path()
{
    if (!g_programOverride.isEmpty())
        return g_programOverride;
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

QString scratchRoot()
{
    if (!g_scratchOverride.isEmpty())
        return g_scratchOverride;
    static const QString root = [] {
        const QString program = path();
        if (isWritableFolder(program))
            return program;
        QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
        if (cache.isEmpty())
            cache = QDir::homePath() + QStringLiteral("/.cache");
        const QString folder = cache + QStringLiteral("/tavrel");
        QDir().mkpath(folder);
        return folder;
    }();
    return root;
}

void overrideForTests(const QString &programFolder, const QString &scratchRoot)
{
    g_programOverride = programFolder;
    g_scratchOverride = scratchRoot;
}

} // namespace ProgramFolder
