#include "inspect/ipa_details.h"

#include "inspect/apk_reader.h"
#include "inspect/details_scratch.h"
#include "inspect/ipa_reader.h"
#include "inspect/new_name_preview.h"
#include "inspect/store_links.h"

#include <QFileInfo>

namespace {

QString valueOf(const QString &xml, const char *key)
{
    const QString element = QStringLiteral("<key>") + QLatin1String(key) + QStringLiteral("</key>");
    return XmlStringValue(xml, element).value_or(QString());
}

} // namespace

IpaDetails IpaDetailsFromPlists(const IpaPlistTexts &plists, const QString &packagePath, const QString &rule)
{
    IpaDetails details;
    const QString one = QStringLiteral("<integer>1</integer>");
    const QString two = QStringLiteral("<integer>2</integer>");
    const QString nine = QStringLiteral("<integer>9</integer>");

    const QString &info = plists.info;
    details.name = valueOf(info, "CFBundleDisplayName");
    details.version =
        PickIpaVersion(valueOf(info, "CFBundleVersion"), valueOf(info, "CFBundleShortVersionString"));
    details.minSystem = valueOf(info, "MinimumOSVersion");
    details.identifier = valueOf(info, "CFBundleIdentifier");
    details.devices = DeviceFamilyText(info, one, two);

    if (const auto localized =
            XmlStringValue(plists.infoPlist, QStringLiteral("<key>CFBundleDisplayName</key>")))
        details.name = *localized;

    const QString &store = plists.storeMetadata;
    if (!store.isEmpty()) {
        if (details.name.isEmpty())
            details.name = valueOf(store, "bundleDisplayName");
        if (details.version.isEmpty())
            details.version = valueOf(store, "bundleShortVersionString");
        details.artist = valueOf(store, "artistName");
        details.account = valueOf(store, "appleId");
        details.genre = valueOf(store, "genre");
        if (details.devices.isEmpty())
            details.devices = DeviceFamilyText(store, two, nine);
        details.price = store.contains(QStringLiteral("<key>priceDisplay</key>"))
                            ? valueOf(store, "priceDisplay")
                            : QStringLiteral("free");
        details.storeItemId = StoreItemId(store);
    }

    if (const auto size = FileSizeMB(packagePath))
        details.size = *size + QStringLiteral("MB");
    details.currentName = QFileInfo(packagePath).fileName();
    details.newName =
        NewNamePreview(rule, details.name, details.version, details.currentName, QStringLiteral(".ipa"));
    return details;
}

IpaDetails LoadIpaDetails(const QString &packagePath, const QString &rule)
{
    IpaPlistTexts plists;
    {
        const DetailsScratch scratch;
        UnpackIpa(packagePath);
        plists = {scratch.read(ScratchOutput::info()), scratch.read(ScratchOutput::infoPlistStrings()),
                  scratch.read(ScratchOutput::storeMetadata())};
    }
    return IpaDetailsFromPlists(plists, packagePath, rule);
}
