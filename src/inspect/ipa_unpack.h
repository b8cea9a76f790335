#pragma once

#include "inspect/tool_command.h"

#include <QList>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QWaitCondition>

// Unpacking an IPA: its property lists are extracted into a scratch folder of one reading worker
// and converted to "Info.xml", "InfoPlist.xml" and "iTunesMetadata.xml" there.
namespace ScratchFolder {
// The folder of a reading worker: "temp" for the first, "temp1", "temp2", ... for the others.
QString folderName(int worker);
// Its full path in the scratch location, ending with '/'.
QString path(int worker);
// The worker folders that stand in the scratch location now ("temp", "temp1", ...), links included.
QStringList present();
} // namespace ScratchFolder

// Clears scratch folders without ever making a reader wait: a folder is moved aside under a unique
// name at once (so a new unpack into a folder of that name never meets the clearing) and deleted
// on a thread of its own. Whatever an earlier run moved aside and did not live to delete is swept
// up too. Destroying it waits for the deletions under way. Any thread may clear: the reading
// workers clear their own folders before each package.
class ScratchClearing
{
public:
    ScratchClearing();
    ~ScratchClearing();
    ScratchClearing(const ScratchClearing &) = delete;
    ScratchClearing &operator=(const ScratchClearing &) = delete;

    void clear(const QString &folder);
    // Every worker folder present, whatever the number of workers that made them.
    void clearAll();
    // Blocks until every deletion started so far has ended.
    void wait();

private:
    void deleteInBackground(const QString &path);

    QThreadPool m_pool;
    QMutex m_mutex; // guards m_started and the moving aside
    QSet<QString> m_started;
};

// The members every IPA read extracts, in this order.
QStringList PlistMembers();

// The conversions a walk of folder asks for: the application bundle's Info.plist to "Info.xml",
// the Chinese InfoPlist.strings to "InfoPlist.xml" and iTunesMetadata.plist to
// "iTunesMetadata.xml", all into outputFolder. A folder's own files come before its subfolders',
// each sorted by name, so that when two files give the same XML name the later one wins (a nested
// application bundle's Info.plist). Links are never followed. The conversions go to as few runs
// of the converter as its command line allows (one for any honest package), in that order.
QList<ToolCommand> PlistConversions(const QString &folder, const QString &outputFolder);

namespace ScratchOutput {
inline QString info()
{
    return QStringLiteral("Info.xml");
}
inline QString infoPlistStrings()
{
    return QStringLiteral("InfoPlist.xml");
}
inline QString storeMetadata()
{
    return QStringLiteral("iTunesMetadata.xml");
}
} // namespace ScratchOutput
