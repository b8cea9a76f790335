#include "platform/file_extension.h"

QString fileExtension(const QString &fileName, const QString &fallback)
{
    const QString name = fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? fallback : name.mid(dot);
}
