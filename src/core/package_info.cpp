#include "core/package_info.h"

#include "platform/file_extension.h"

namespace {
QString PackageInfo::*const kCells[PackageInfo::ColumnCount] = {
    &PackageInfo::rowNumber, &PackageInfo::fileName, &PackageInfo::displayName,
    &PackageInfo::version,   &PackageInfo::sizeMB,   &PackageInfo::minSystem,
    &PackageInfo::platform,  &PackageInfo::status,   &PackageInfo::folder,
};
} // namespace

const QString &PackageInfo::cell(Column column) const
{
    return this->*kCells[column];
}

void PackageInfo::setCell(Column column, const QString &text)
{
    this->*kCells[column] = text;
}

PackageKind packageKindOf(const QString &fileName)
{
    // ".xapk" already ends in "apk"; the other two bundles are known by their whole extension.
    if (fileName.endsWith(QLatin1String("apk"), Qt::CaseSensitive) ||
        fileName.endsWith(QLatin1String(".apks"), Qt::CaseSensitive) ||
        fileName.endsWith(QLatin1String(".apkm"), Qt::CaseSensitive))
        return PackageKind::Apk;
    if (fileName.endsWith(QLatin1String("ipa"), Qt::CaseSensitive))
        return PackageKind::Ipa;
    return PackageKind::None;
}

QString packageExtensionOf(const QString &fileName)
{
    switch (packageKindOf(fileName)) {
    case PackageKind::Apk:
        return fileExtension(fileName, QStringLiteral(".apk"));
    case PackageKind::Ipa:
        return fileExtension(fileName, QStringLiteral(".ipa"));
    case PackageKind::None:
        break;
    }
    return fileExtension(fileName);
}

void splitPath(const QString &path, QString *folder, QString *fileName)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    *folder = path.left(slash + 1);
    *fileName = path.mid(slash + 1);
}
