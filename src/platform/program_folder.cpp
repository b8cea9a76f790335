#include "platform/program_folder.h"

#include "platform/path_bytes.h"
#include "platform/scratch_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {
QString g_programOverride;
QString g_scratchOverride;

bool isWritableFolder(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.tavrel-probe-XXXXXX"));
    return probe.open();
}

// An installed copy: its folder belongs to someone else (dpkg's, though root may write there), or
// it stands where the system keeps its programs.
bool isInstalled(const QString &folder)
{
    struct stat info;
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || info.st_uid != ::getuid())
        return true;
    for (const char *prefix :
         {"/usr/", "/opt/", "/bin/", "/sbin/", "/lib/", "/lib64/", "/snap/", "/app/", "/nix/store/"}) {
        if (QString(folder + QLatin1Char('/')).startsWith(QLatin1String(prefix)))
            return true;
    }
    return false;
}

QString executableFolder()
{
    // Through /proc so that a link in bin/ leads to the real program folder, and so that no
    // application object is needed yet. Its bytes are kept: a folder whose name is not UTF-8 is
    // reached through a descriptor.
    char self[4096];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self);
    if (length > 0 && size_t(length) < sizeof self) {
        const QString file = PathBytes::decode(QByteArray(self, qsizetype(length)));
        return PathBytes::reachable(file.left(qMax<qsizetype>(file.lastIndexOf(QLatin1Char('/')), 1)));
    }
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
    static const QString root = scratchRootFor(path());
    return root;
}

QString scratchRootFor(const QString &programFolder)
{
    if (!isInstalled(programFolder) && isWritableFolder(programFolder))
        return programFolder;
    // The XDG rules: a relative value is to be ignored.
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString folder = QDir::cleanPath(cache) + QStringLiteral("/tavrel");
    makePrivateFolder(folder);
    return folder;
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
