#include "inspect/ipa_reader.h"

#include "inspect/command_runner.h"
#include "inspect/ipa_unpack.h"

#include <QFileInfo>

namespace {

QString keyElement(const char *name)
{
    return QStringLiteral("<key>") + QString::fromLatin1(name) + QStringLiteral("</key>");
}

std::optional<QString> readScratchXml(const QString &name)
{
    const QString path = ScratchFolder::currentPath() + name;
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return ReadUtf8File(path);
}

IpaFacts readFacts()
{
    IpaFacts facts;
    facts.infoXml = readScratchXml(ScratchOutput::info());
    facts.infoPlistStringsXml = readScratchXml(ScratchOutput::infoPlistStrings());
    facts.storeMetadataXml = readScratchXml(ScratchOutput::storeMetadata());
    if (const auto &info = facts.infoXml) {
        facts.displayName = XmlStringValue(*info, keyElement("CFBundleDisplayName"));
        facts.version = PickIpaVersion(
            XmlStringValue(*info, keyElement("CFBundleVersion")).value_or(QString()),
            XmlStringValue(*info, keyElement("CFBundleShortVersionString")).value_or(QString()));
        facts.minSystem = XmlStringValue(*info, keyElement("MinimumOSVersion"));
        facts.platform = DeviceFamilyText(*info, QStringLiteral("<integer>1</integer>"),
                                          QStringLiteral("<integer>2</integer>"));
    }
    if (const auto &strings = facts.infoPlistStringsXml) {
        if (const auto name = XmlStringValue(*strings, keyElement("CFBundleDisplayName")))
            facts.displayName = name;
    }
    if (const auto &store = facts.storeMetadataXml) {
        if (facts.displayName.value_or(QString()).isEmpty()) {
            if (const auto name = XmlStringValue(*store, keyElement("bundleDisplayName")))
                facts.displayName = name;
        }
        if (facts.version.isEmpty())
            facts.version =
                XmlStringValue(*store, keyElement("bundleShortVersionString")).value_or(QString());
        if (facts.platform.isEmpty())
            facts.platform = DeviceFamilyText(*store, QStringLiteral("<integer>2</integer>"),
                                              QStringLiteral("<integer>9</integer>"));
    }
    return facts;
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

IpaFacts ReadUnpackedIpaFacts(const QString &packagePath)
{
    IpaFacts facts = readFacts();
    facts.sizeMB = FileSizeMB(packagePath);
    return facts;
}

IpaFacts ReadIpaFacts(const QString &packagePath)
{
    ChooseScratchFolder();
    UnpackIpa(packagePath);
    return ReadUnpackedIpaFacts(packagePath);
}

NameAndVersion ReadUnpackedIpaNameAndVersion()
{
    const IpaFacts facts = readFacts();
    return {facts.displayName.value_or(QString()), facts.version};
}
