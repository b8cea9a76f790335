#include "windows/main/program_icon.h"

#include <QDir>

QIcon programIcon()
{
    // The icons are built into this static library; nothing else refers to them, so they are
    // registered by hand before the first use.
    Q_INIT_RESOURCE(tavrel_icon);
    // Every size the icon was drawn at (share/icons/tavrel_icon.qrc); the window system picks.
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons/tavrel"));
    for (const QString &file : sizes.entryList(QDir::Files))
        icon.addFile(sizes.filePath(file));
    return icon;
}
