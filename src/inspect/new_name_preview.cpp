#include "inspect/new_name_preview.h"

QString FileExtension(const QString &fileName, const QString &fallbackExtension)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? fallbackExtension : fileName.mid(dot);
}

QString NewNamePreview(const QString &rule, const QString &displayName, const QString &version,
                       const QString &fileName, const QString &fallbackExtension)
{
    // The rename run's expansion: every "%Name%" first, then every "%Version%" of that result.
    QString named = rule;
    named.replace(QStringLiteral("%Name%"), displayName, Qt::CaseSensitive);
    named.replace(QStringLiteral("%Version%"), version, Qt::CaseSensitive);
    return named + FileExtension(fileName, fallbackExtension);
}
