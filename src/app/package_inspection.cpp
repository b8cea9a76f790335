#include "app/package_inspection.h"

#include "core/package_list.h"
#include "inspect/apk_reader.h"
#include "inspect/ipa_reader.h"

namespace {

bool stillThere(const PackageList &list, int position, const QString &path)
{
    return list.isValidPosition(position) && list.rowAt(position).fullPath() == path;
}

void setIfRead(PackageList &list, int position, PackageInfo::Column column,
               const std::optional<QString> &text)
{
    if (text)
        list.setCell(position, column, *text);
}

} // namespace

void InspectApk(PackageList &list, int position)
{
    if (!list.isValidPosition(position))
        return;
    const QString path = list.rowAt(position).fullPath();
    const ApkFacts facts = ReadApkFacts(path);
    if (!stillThere(list, position, path))
        return;
    list.setCell(position, PackageInfo::DisplayName, facts.displayName);
    setIfRead(list, position, PackageInfo::Version, facts.version);
    setIfRead(list, position, PackageInfo::SizeMB, facts.sizeMB);
    setIfRead(list, position, PackageInfo::MinSystem, facts.minSystem);
    setIfRead(list, position, PackageInfo::Platform, facts.platform);
}

void InspectIpa(PackageList &list, int position)
{
    if (!list.isValidPosition(position))
        return;
    const QString path = list.rowAt(position).fullPath();
    const IpaFacts facts = ReadIpaFacts(path);
    if (!stillThere(list, position, path))
        return;
    setIfRead(list, position, PackageInfo::DisplayName, facts.displayName);
    list.setCell(position, PackageInfo::Version, facts.version);
    setIfRead(list, position, PackageInfo::MinSystem, facts.minSystem);
    list.setCell(position, PackageInfo::Platform, facts.platform);
    setIfRead(list, position, PackageInfo::SizeMB, facts.sizeMB);
}
