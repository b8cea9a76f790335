#include "inspect/ipa_unpack.h"

#include "inspect/command_runner.h"
#include "platform/program_folder.h"
#include "platform/tree_removal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QThreadPool>
#include <QUuid>
#include <QWaitCondition>

namespace {

ScratchFolder::Name g_current = ScratchFolder::Temp;

const QString kTrashPrefix = QStringLiteral(".tavrel-clearing-");

// Names moved aside whose deletion has been started, so that the sweep starts none twice.
QSet<QString> g_deletionsStarted;

// Clearings still running, so that the command line can wait for them before it exits.
QMutex g_pendingMutex;
QWaitCondition g_pendingDone;
int g_pending = 0;

void deleteInBackground(const QString &path)
{
    {
        QMutexLocker lock(&g_pendingMutex);
        ++g_pending;
    }
    QThreadPool::globalInstance()->start([path] {
        removeTree(path);
        QMutexLocker lock(&g_pendingMutex);
        if (--g_pending == 0)
            g_pendingDone.wakeAll();
    });
}

bool isApplicationBundle(const QString &folderName)
{
    const qsizetype dot = folderName.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot < 0 ? folderName : folderName.mid(dot + 1);
    return suffix.compare(QLatin1String("app"), Qt::CaseInsensitive) == 0;
}

bool isChineseStringsFolder(const QString &folderName)
{
    return folderName.compare(QLatin1String("zh-Hans.lproj"), Qt::CaseInsensitive) == 0 ||
           folderName.compare(QLatin1String("zh_CN.lproj"), Qt::CaseInsensitive) == 0;
}

// The XML name a found file converts to, or nothing when it is not one we read.
QString outputFor(const QString &fileName, const QString &folderName)
{
    if (fileName.compare(QLatin1String("Info.plist"), Qt::CaseInsensitive) == 0)
        return isApplicationBundle(folderName) ? ScratchOutput::info() : QString();
    if (fileName.compare(QLatin1String("InfoPlist.strings"), Qt::CaseInsensitive) == 0)
        return isChineseStringsFolder(folderName) ? ScratchOutput::infoPlistStrings() : QString();
    if (fileName.compare(QLatin1String("iTunesMetadata.plist"), Qt::CaseInsensitive) == 0)
        return ScratchOutput::storeMetadata();
    return QString();
}

} // namespace

namespace ScratchFolder {

QString folderName(Name name)
{
    return name == Temp ? QStringLiteral("temp") : QStringLiteral("temp1");
}

QString path(Name name)
{
    return ProgramFolder::scratchRoot() + QLatin1Char('/') + folderName(name) + QLatin1Char('/');
}

Name current()
{
    return g_current;
}

void setCurrent(Name name)
{
    g_current = name;
}

QString currentPath()
{
    return path(g_current);
}

bool holdsFiles(Name name)
{
    return !QDir(path(name)).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty();
}

} // namespace ScratchFolder

void ChooseScratchFolder()
{
    using namespace ScratchFolder;
    // A folder being cleared is moved aside at once and so looks free at once; the choice is
    // therefore made from the first look: the folder the last package filled is cleared and the
    // other one used, and "temp" when both or neither held files.
    const bool tempFull = holdsFiles(Temp);
    const bool temp1Full = holdsFiles(Temp1);
    if (tempFull)
        ClearFolderInBackground(Temp);
    if (temp1Full)
        ClearFolderInBackground(Temp1);
    setCurrent(tempFull && !temp1Full ? Temp1 : Temp);
}

void ClearFolderInBackground(ScratchFolder::Name name)
{
    const QString root = ProgramFolder::scratchRoot();
    const QString folder = root + QLatin1Char('/') + ScratchFolder::folderName(name);
    if (QFileInfo(folder).isDir() || QFileInfo(folder).isSymLink()) {
        // Renaming moves a link itself, and the removal unlinks it: what it points to is not ours.
        const QString asideName = kTrashPrefix + QUuid::createUuid().toString(QUuid::Id128);
        if (QDir().rename(folder, root + QLatin1Char('/') + asideName)) {
            g_deletionsStarted.insert(asideName);
            deleteInBackground(root + QLatin1Char('/') + asideName);
        } else {
            removeTree(folder); // could not move it aside: clear it before going on
        }
    }
    // Whatever an earlier run moved aside and did not live to delete, links included.
    const QStringList leftovers =
        QDir(root).entryList({kTrashPrefix + QLatin1Char('*')},
                             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &leftover : leftovers) {
        if (!g_deletionsStarted.contains(leftover)) {
            g_deletionsStarted.insert(leftover);
            deleteInBackground(root + QLatin1Char('/') + leftover);
        }
    }
}

void ClearBothFoldersInBackground()
{
    ClearFolderInBackground(ScratchFolder::Temp);
    ClearFolderInBackground(ScratchFolder::Temp1);
}

void WaitForBackgroundClearing()
{
    QMutexLocker lock(&g_pendingMutex);
    while (g_pending > 0)
        g_pendingDone.wait(&g_pendingMutex);
}

void ExtractPlistMembers(const QString &packagePath)
{
    const QString target = ScratchFolder::currentPath();
    for (const char *member : {"iTunesMetadata.plist", "InfoPlist.strings", "info.plist"})
        RunHiddenAndWait(ToolCommands::extractMember(packagePath, target, QString::fromLatin1(member)));
}

bool FindAndConvertPlists(const QString &folder)
{
    QString base = folder;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    const QDir dir(base);
    if (!dir.exists())
        return false;
    const QString folderName = QFileInfo(base.chopped(1)).fileName();
    const QString output = ScratchFolder::currentPath();

    // Sorted by name so that every walk meets the files in the same order; links are never followed.
    const QFileInfoList entries = dir.entryInfoList(
        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QStringList subfolders;
    for (const QFileInfo &entry : entries) {
        QCoreApplication::processEvents();
        if (entry.isSymLink())
            continue;
        if (entry.isDir()) {
            subfolders << entry.fileName();
            continue;
        }
        const QString xmlName = outputFor(entry.fileName(), folderName);
        if (!xmlName.isEmpty())
            RunHiddenAndWait(ToolCommands::convertPlist(output + xmlName, base + entry.fileName()));
    }
    bool complete = true;
    for (const QString &subfolder : subfolders)
        complete = FindAndConvertPlists(base + subfolder) && complete;
    return complete;
}

void UnpackIpa(const QString &packagePath)
{
    ExtractPlistMembers(packagePath);
    FindAndConvertPlists(ScratchFolder::currentPath());
}
