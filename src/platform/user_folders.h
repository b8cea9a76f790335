#pragma once

#include <QString>
#include <QStringList>

// The per-user folders file managers read their actions from, as the XDG base directories
// name them: $XDG_DATA_HOME (~/.local/share), $XDG_CONFIG_HOME (~/.config) and the system-wide
// $XDG_CONFIG_DIRS (/etc/xdg) that a missing per-user file falls back to.
struct UserFolders
{
    QString dataHome;
    QString configHome;
    QStringList configDirs;

    static UserFolders fromEnvironment();
};
