#include "inspect/ipa_reader.h"

namespace {

QString keyElement(const char *name)
{
    return QStringLiteral("<key>") + QString::fromLatin1(name) + QStringLiteral("</key>");
}

} // namespace

std::optional<QString> XmlStringValue(const QString &xml, const QString &keyElement)
{
    const qsizetype key = xml.indexOf(keyElement, 0, Qt::CaseSensitive);
    if (key < 0)
        return std::nullopt;
    const QString open = QStringLiteral("<string>");
    const qsizetype start = xml.indexOf(open, key);
    const qsizetype end = xml.indexOf(QStringLiteral("</string>"), key);
    if (start < 0 || end < 0 || end < start + open.size())
        return std::nullopt;
    return xml.mid(start + open.size(), end - start - open.size());
}

QString XmlKeyValue(const QString &xml, const char *key)
{
    return XmlStringValue(xml, keyElement(key)).value_or(QString());
}

QString PickIpaVersion(const QString &buildVersion, const QString &shortVersion)
{
    return shortVersion.contains(QLatin1Char('.')) ? shortVersion : buildVersion;
}

QString DeviceFamilyText(const QString &xml, const QString &iphoneMarker, const QString &ipadMarker)
{
    const bool iphone = xml.contains(iphoneMarker);
    const bool ipad = xml.contains(ipadMarker);
    if (iphone && ipad)
        return QStringLiteral("iPhones,iPad");
    if (iphone)
        return QStringLiteral("iPhones");
    if (ipad)
        return QStringLiteral("iPad");
    return QString();
}

IpaFacts IpaFactsFromPlists(const IpaPlistTexts &plists, const QString &packagePath)
{
    IpaFacts facts;
    if (const auto &info = plists.info) {
        facts.displayName = XmlStringValue(*info, keyElement("CFBundleDisplayName"));
        facts.version = PickIpaVersion(XmlKeyValue(*info, "CFBundleVersion"),
                                       XmlKeyValue(*info, "CFBundleShortVersionString"));
        facts.minSystem = XmlStringValue(*info, keyElement("MinimumOSVersion"));
        facts.platform = DeviceFamilyText(*info, QStringLiteral("<integer>1</integer>"),
                                          QStringLiteral("<integer>2</integer>"));
    }
    if (const auto &strings = plists.infoPlist) {
        if (const auto name = XmlStringValue(*strings, keyElement("CFBundleDisplayName")))
            facts.displayName = name;
    }
    if (const auto &store = plists.storeMetadata) {
        if (facts.displayName.value_or(QString()).isEmpty()) {
            if (const auto name = XmlStringValue(*store, keyElement("bundleDisplayName")))
                facts.displayName = name;
        }
        if (facts.version.isEmpty())
            facts.version = XmlKeyValue(*store, "bundleShortVersionString");
        if (facts.platform.isEmpty())
            facts.platform = DeviceFamilyText(*store, QStringLiteral("<integer>2</integer>"),
                                              QStringLiteral("<integer>9</integer>"));
    }
    if (!packagePath.isEmpty())
        facts.sizeMB = FileSizeMB(packagePath);
    return facts;
}
