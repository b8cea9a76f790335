#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {
QString g_programOverride;
QString g_scratchOverride;

bool isWritableFolder(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.tavrel-probe-XXXXXX"));
    return probe.open();
}

QString executableFolder()
{
    // Through /proc so that a link in bin/ leads to the real program folder, and so that no
    // application object is needed yet.
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!self.isEmpty())
        return QFileInfo(self).absolutePath();
    return QCoreApplication::applicationDirPath();
}
} // namespace

namespace ProgramFolder {

QString path()
{
    if (!g_programOverride.isEmpty())
        return g_programOverride;
    static const QString folder = QDir::cleanPath(executableFolder());
    return folder;
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

ScopedOverride::ScopedOverride(const QString &programFolder, const QString &scratchRoot)
    : m_previousProgram(g_programOverride), m_previousScratch(g_scratchOverride)
{
    g_programOverride = programFolder;
    g_scratchOverride = scratchRoot;
}

ScopedOverride::~ScopedOverride()
{
    g_programOverride = m_previousProgram;
    g_scratchOverride = m_previousScratch;
}

} // namespace ProgramFolder
