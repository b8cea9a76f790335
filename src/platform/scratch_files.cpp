#include "platform/scratch_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

bool makePrivateFolder(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    QDir().mkpath(QFileInfo(folder).absolutePath());
    ::mkdir(name.constData(), 0700);
    struct stat info;
    if (::lstat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(name.constData(), 0700) == 0;
}
