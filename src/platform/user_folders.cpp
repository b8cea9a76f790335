#include "platform/user_folders.h"

#include <QDir>

namespace {

// The base directory variables count only when they hold an absolute path.
QString absoluteFromEnvironment(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}

} // namespace

UserFolders UserFolders::fromEnvironment()
{
    const QString home = QDir::homePath();
    UserFolders folders;
    folders.dataHome = absoluteFromEnvironment("XDG_DATA_HOME", home + QLatin1String("/.local/share"));
    folders.configHome = absoluteFromEnvironment("XDG_CONFIG_HOME", home + QLatin1String("/.config"));
    for (const QString &dir :
         qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            folders.configDirs << QDir::cleanPath(dir);
    }
    if (folders.configDirs.isEmpty())
        folders.configDirs << QStringLiteral("/etc/xdg");
    return folders;
}
