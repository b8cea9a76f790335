#include "app/row_filling.h"

#include "core/package_list.h"
#include "inspect/apk_reader.h"
#include "inspect/ipa_reader.h"

namespace {

void setIfRead(PackageList &list, int position, PackageInfo::Column column, const std::optional<QString> &text)
{
    if (text)
        list.setCell(position, column, *text);
}

} // namespace

void fillRow(PackageList &list, int position, const PackageReading &reading)
{
    if (!list.isValidPosition(position))
        return;
    if (reading.kind == ReadKind::Badging) {
        const ApkFacts facts = ApkFactsFromReport(reading.badging.value_or(QString()), reading.path);
        list.setCell(position, PackageInfo::DisplayName, facts.displayName);
        setIfRead(list, position, PackageInfo::Version, facts.version);
        setIfRead(list, position, PackageInfo::SizeMB, facts.sizeMB);
        setIfRead(list, position, PackageInfo::MinSystem, facts.minSystem);
        setIfRead(list, position, PackageInfo::Platform, facts.platform);
        return;
    }
    const IpaFacts facts = IpaFactsFromPlists(reading.plists, reading.path);
    setIfRead(list, position, PackageInfo::DisplayName, facts.displayName);
    list.setCell(position, PackageInfo::Version, facts.version);
    setIfRead(list, position, PackageInfo::MinSystem, facts.minSystem);
    list.setCell(position, PackageInfo::Platform, facts.platform);
    setIfRead(list, position, PackageInfo::SizeMB, facts.sizeMB);
}

std::optional<ReadKind> readKindFor(const QString &fileName)
{
    switch (packageKindOf(fileName)) {
    case PackageKind::Apk:
        return ReadKind::Badging;
    case PackageKind::Ipa:
        return ReadKind::IpaPlists;
    case PackageKind::None:
        break;
    }
    return std::nullopt;
}
