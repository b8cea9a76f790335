#include "core/package_info.h"

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
    if (fileName.endsWith(QLatin1String("apk"), Qt::CaseSensitive))
        return PackageKind::Apk;
    if (fileName.endsWith(QLatin1String("ipa"), Qt::CaseSensitive))
        return PackageKind::Ipa;
    return PackageKind::None;
}

void splitPath(const QString &path, QString *folder, QString *fileName)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    *folder = path.left(slash + 1);
    *fileName = path.mid(slash + 1);
}
