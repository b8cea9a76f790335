#include "inspect/ipa_details.h"

#include "inspect/apk_reader.h"
#include "inspect/ipa_reader.h"
#include "inspect/new_name_preview.h"
#include "inspect/store_links.h"

#include <QFileInfo>

IpaDetails IpaDetailsFromPlists(const IpaPlistTexts &plists, const QString &packagePath, const QString &rule)
{
    IpaDetails details;
    const IpaFacts facts = IpaFactsFromPlists(plists);
    details.name = facts.displayName.value_or(QString());
    details.version = facts.version;
    details.minSystem = facts.minSystem.value_or(QString());
    details.devices = facts.platform;
    details.identifier = XmlKeyValue(plists.info.value_or(QString()), "CFBundleIdentifier");

    // A store metadata list without any text counts as none.
    const QString store = plists.storeMetadata.value_or(QString());
    if (!store.isEmpty()) {
        details.artist = XmlKeyValue(store, "artistName");
        details.account = XmlKeyValue(store, "appleId");
        details.genre = XmlKeyValue(store, "genre");
        details.price = store.contains(QStringLiteral("<key>priceDisplay</key>"))
                            ? XmlKeyValue(store, "priceDisplay")
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
