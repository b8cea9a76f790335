#include "app/intake.h"

#include "app/package_inspection.h"
#include "core/package_list.h"
#include "inspect/ipa_unpack.h"
#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

void removeStaleStoreMetadata()
{
    const QString stale = ProgramFolder::path() + QStringLiteral("/iTunesMetadata.plist");
    if (QFileInfo(stale).isFile())
        QFile::remove(stale);
}

Intake::Intake(PackageList *list, QObject *parent) : QObject(parent), m_list(list) {}

bool Intake::begin()
{
    if (m_busy)
        return false;
    m_busy = true;
    emit busyChanged(true);
    return true;
}

void Intake::end()
{
    ClearBothFoldersInBackground();
    m_busy = false;
    emit busyChanged(false);
    emit batchFinished();
}

int Intake::addOneFile(const QString &folder, const QString &fileName)
{
    if (m_list->containsPath(folder, fileName))
        return 0;
    const int position = m_list->append(folder, fileName);
    switch (packageKindOf(fileName)) {
    case PackageKind::Apk:
        InspectApk(*m_list, position);
        break;
    case PackageKind::Ipa:
        InspectIpa(*m_list, position);
        break;
    case PackageKind::None:
        break;
    }
    return position;
}

bool Intake::addDroppedPaths(const QStringList &paths)
{
    if (!begin())
        return false;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (!info.isDir() && packageKindOf(path) != PackageKind::None) {
            QString folder, fileName;
            splitPath(info.absoluteFilePath(), &folder, &fileName);
            addOneFile(folder, fileName);
        }
        QCoreApplication::processEvents();
    }
    end();
    return true;
}

bool Intake::addChosenFiles(const QStringList &paths)
{
    if (!begin())
        return false;
    if (!paths.isEmpty())
        removeStaleStoreMetadata();
    for (const QString &path : paths) {
        QString folder, fileName;
        splitPath(QFileInfo(path).absoluteFilePath(), &folder, &fileName);
        addOneFile(folder, fileName);
    }
    end();
    return true;
}
