#include "windows/main/program_icon.h"

#include <QFile>

QIcon programIcon()
{
    for (const char *path : {":/icons/tavrel.svg", ":/icons/tavrel.png", ":/tavrel.svg", ":/tavrel.png"}) {
        const QString name = QString::fromLatin1(path);
        if (QFile::exists(name))
            return QIcon(name);
    }
    return QIcon();
}
