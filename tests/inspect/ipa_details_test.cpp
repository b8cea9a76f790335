#include "inspect/ipa_details.h"
#include "inspect/ipa_unpack.h"
#include "platform/program_folder.h"
#include "support/reading.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>

namespace {

const QString kRule = QStringLiteral("%Name% %Version%");

// A converted list as the converter writes it: each key followed by its string element.
QString plist(std::initializer_list<std::pair<const char *, const char *>> strings, const QString &more = {})
{
    QString xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
    for (const auto &[key, value] : strings)
        xml += QStringLiteral("\t<key>%1</key>\n\t<string>%2</string>\n").arg(key, QString::fromUtf8(value));
    return xml + more + "</dict>\n</plist>\n";
}

QString versionOf(const char *build, const char *shortVersion, const QString &store = {})
{
    const QString info = plist({{"CFBundleVersion", build}, {"CFBundleShortVersionString", shortVersion}});
    return IpaDetailsFromPlists({info, {}, store}, "x.ipa", kRule).version;
}

} // namespace

TEST(IpaDetails, VersionPrefersADottedShortVersionThenTheBuildThenTheStore)
{
    EXPECT_EQ(versionOf("45", "1.2"), "1.2");
    EXPECT_EQ(versionOf("3.0.1", "3"), "3.0.1");
    EXPECT_EQ(versionOf("45", "3"), "45");
    EXPECT_EQ(versionOf("1.2.3", "1.2"), "1.2");
    const QString store = plist({{"bundleShortVersionString", "4.0.1"}});
    EXPECT_EQ(versionOf("45", "3", store), "45"); // the store only fills an empty version
    const QString noVersions = plist({{"CFBundleDisplayName", "A"}});
    EXPECT_EQ(IpaDetailsFromPlists({noVersions, {}, store}, "x.ipa", kRule).version, "4.0.1");
    EXPECT_EQ(IpaDetailsFromPlists({noVersions, {}, {}}, "x.ipa", kRule).version, "");
}

TEST(IpaDetails, LocalizedNameWinsAndTheStoreNameOnlyFillsAGap)
{
    const QString info =
        plist({{"CFBundleDisplayName", "Tom &amp; Jerry"}, {"CFBundleIdentifier", "com.x.tj"}});
    const QString zh = plist({{"CFBundleDisplayName", "猫和老鼠"}});
    const QString store = plist({{"bundleDisplayName", "Store Name"}});
    EXPECT_EQ(IpaDetailsFromPlists({info, zh, store}, "x.ipa", kRule).name, QStringLiteral("猫和老鼠"));
    EXPECT_EQ(IpaDetailsFromPlists({info, {}, store}, "x.ipa", kRule).name, "Tom &amp; Jerry");
    EXPECT_EQ(IpaDetailsFromPlists({{}, {}, store}, "x.ipa", kRule).name, "Store Name");
    EXPECT_EQ(IpaDetailsFromPlists({info, {}, {}}, "x.ipa", kRule).identifier, "com.x.tj");
}

TEST(IpaDetails, StoreFieldsWithAndWithoutPrice)
{
    const QString info = plist(
        {{"CFBundleDisplayName", "App"}, {"CFBundleShortVersionString", "2.0"}, {"MinimumOSVersion", "12.0"}},
        "\t<key>UIDeviceFamily</key>\n\t<array>\n\t\t<integer>1</integer>\n\t</array>\n");
    const QString priced = plist({{"artistName", "Example Studio"},
                                  {"appleId", "buyer@example.com"},
                                  {"genre", "Utilities"},
                                  {"priceDisplay", "¥6.00"}},
                                 "\t<key>itemId</key>\n\t<integer>1234567890</integer>\n");
    const IpaDetails d = IpaDetailsFromPlists({info, {}, priced}, "x.ipa", kRule);
    EXPECT_EQ(d.artist, "Example Studio");
    EXPECT_EQ(d.account, "buyer@example.com");
    EXPECT_EQ(d.genre, "Utilities");
    EXPECT_EQ(d.price, QStringLiteral("¥6.00"));
    EXPECT_EQ(d.storeItemId, "1234567890");
    EXPECT_EQ(d.minSystem, "12.0");
    EXPECT_EQ(d.devices, "iPhones");

    const IpaDetails unpriced = IpaDetailsFromPlists({info, {}, plist({{"genre", "Games"}})}, "x.ipa", kRule);
    EXPECT_EQ(unpriced.price, "free");
    EXPECT_EQ(unpriced.storeItemId, "");

    const IpaDetails none = IpaDetailsFromPlists({info, {}, {}}, "x.ipa", kRule);
    for (const QString &field : {none.price, none.artist, none.account, none.genre, none.storeItemId})
        EXPECT_EQ(field, "");
}

TEST(IpaDetails, DevicesFallBackToTheStoresDeviceIds)
{
    const QString store = plist({}, "\t<key>softwareSupportedDeviceIds</key>\n\t<array>\n"
                                    "\t\t<integer>2</integer>\n\t\t<integer>9</integer>\n\t</array>\n");
    const QString family4 = plist({}, "\t<key>UIDeviceFamily</key>\n\t<array><integer>4</integer></array>\n");
    EXPECT_EQ(IpaDetailsFromPlists({family4, {}, store}, "x.ipa", kRule).devices, "iPhones,iPad");
    EXPECT_EQ(IpaDetailsFromPlists({family4, {}, {}}, "x.ipa", kRule).devices, "");
}

TEST(IpaDetails, SizeAndNewNamePreview)
{
    QTemporaryDir dir;
    QFile ipa(dir.path() + "/下载 (1).ipa");
    ASSERT_TRUE(ipa.open(QIODevice::WriteOnly));
    ASSERT_TRUE(ipa.resize(3 * 512 * 1024));
    ipa.close();
    const IpaPlistTexts plists{
        plist({{"CFBundleDisplayName", "App"}, {"CFBundleShortVersionString", "1.5"}}), {}, {}};

    const IpaDetails d = IpaDetailsFromPlists(plists, ipa.fileName(), kRule);
    EXPECT_EQ(d.size, "1.50MB");
    EXPECT_EQ(d.currentName, QStringLiteral("下载 (1).ipa"));
    EXPECT_EQ(d.newName, "App 1.5.ipa");
    EXPECT_EQ(IpaDetailsFromPlists(plists, ipa.fileName(), "[%Version%]%Name%").newName, "[1.5]App.ipa");
    EXPECT_EQ(IpaDetailsFromPlists(plists, dir.path() + "/gone.ipa", kRule).size, "");
}

namespace {

class IpaDetailsWithRealToolsTest : public ::testing::Test
{
protected:
    static QString fixture(const char *name) { return QStringLiteral(TAVREL_FIXTURES_DIR "/ipa/") + name; }
    // What the details window shows once the reader has read the package.
    IpaDetails LoadIpaDetails(const QString &path, const QString &rule)
    {
        return IpaDetailsFromPlists(readNow(reader, ReadKind::IpaPlists, path).plists, path, rule);
    }

    QTemporaryDir scratch;
    ProgramFolder::ScopedOverride folders{TAVREL_PROGRAM_DIR, scratch.path()};
    PackageReader reader{1};
};

} // namespace

TEST_F(IpaDetailsWithRealToolsTest, ReadsEveryFieldOfAStorePackage)
{
    const IpaDetails d = LoadIpaDetails(fixture("store_app.ipa"), kRule);
    EXPECT_EQ(d.name, QStringLiteral("猫和老鼠"));
    EXPECT_EQ(d.version, "1.2");
    EXPECT_EQ(d.identifier, "com.example.demo");
    EXPECT_EQ(d.minSystem, "9.0");
    EXPECT_EQ(d.devices, "iPhones,iPad");
    EXPECT_EQ(d.artist, "Example Studio");
    EXPECT_EQ(d.genre, "Utilities");
    EXPECT_EQ(d.price, "Free");
    EXPECT_EQ(d.account, "");
    EXPECT_TRUE(d.size.endsWith("MB") && !d.size.endsWith(" MB")) << d.size.toStdString();
    EXPECT_EQ(d.newName, QStringLiteral("猫和老鼠 1.2.ipa"));
    // Cleared once the reader is idle.
    EXPECT_FALSE(QFileInfo::exists(ScratchFolder::path(0)));
}

TEST_F(IpaDetailsWithRealToolsTest, VersionRulesOnRealPackages)
{
    EXPECT_EQ(LoadIpaDetails(fixture("caps_bundle.ipa"), kRule).version, "45");
    const IpaDetails onlyStore = LoadIpaDetails(fixture("metadata_only.ipa"), kRule);
    EXPECT_EQ(onlyStore.version, "4.0.1");
    EXPECT_EQ(onlyStore.name, "Only &amp; Metadata");
    EXPECT_EQ(onlyStore.devices, "iPad");
}

TEST_F(IpaDetailsWithRealToolsTest, WhatAnEarlierPackageLeftInTempIsNotRead)
{
    // A metadata list left behind by an earlier package must not lend its store fields.
    ASSERT_TRUE(QDir().mkpath(ScratchFolder::path(0)));
    QFile stale(ScratchFolder::path(0) + "iTunesMetadata.xml");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(plist({{"artistName", "Somebody Else"}, {"priceDisplay", "$9.99"}}).toUtf8());
    stale.close();

    const IpaDetails d = LoadIpaDetails(fixture("nested_app.ipa"), kRule);
    EXPECT_EQ(d.name, QStringLiteral("宿主\"应用\""));
    EXPECT_EQ(d.version, "2.0");
    EXPECT_EQ(d.artist, "");
    EXPECT_EQ(d.price, ""); // no metadata in this package: no price, not even "free"
}
