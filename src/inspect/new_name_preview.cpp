#include "inspect/new_name_preview.h"

#include "platform/file_extension.h"

QString FileExtension(const QString &fileName, const QString &fallbackExtension)
{
    return fileExtension(fileName, fallbackExtension);
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
