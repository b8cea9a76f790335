#include "inspect/new_name_preview.h"

#include "platform/file_extension.h"
#include "platform/name_rule_text.h"

QString FileExtension(const QString &fileName, const QString &fallbackExtension)
{
    return fileExtension(fileName, fallbackExtension);
}

QString NewNamePreview(const QString &rule, const QString &displayName, const QString &version,
                       const QString &fileName, const QString &fallbackExtension)
{
    return expandNameRule(rule, displayName, version) + FileExtension(fileName, fallbackExtension);
}
