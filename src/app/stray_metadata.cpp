#include "app/stray_metadata.h"

#include "platform/program_folder.h"

#include <QFile>
#include <QFileInfo>

void RemoveStrayStoreMetadata()
{
    const QString stray = ProgramFolder::path() + QStringLiteral("/iTunesMetadata.plist");
    if (QFileInfo(stray).isFile())
        QFile::remove(stray);
}
