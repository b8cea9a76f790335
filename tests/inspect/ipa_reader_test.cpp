#include "app/row_filling.h"
#include "core/package_list.h"
#include "inspect/ipa_reader.h"
#include "inspect/ipa_unpack.h"
#include "platform/program_folder.h"
#include "support/reading.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

TEST(IpaReader, XmlStringValueTakesTheFirstStringAfterTheKey)
{
    const QString xml = "<key>CFBundleDisplayName</key>\n\t<string>Tom &amp; Jerry</string>\n"
                        "<key>Count</key><integer>3</integer><key>Next</key><string>n</string>";
    EXPECT_EQ(XmlStringValue(xml, "<key>CFBundleDisplayName</key>"), "Tom &amp; Jerry");
    EXPECT_EQ(XmlStringValue(xml, "<key>Count</key>"), "n"); // whatever element follows the key
    EXPECT_FALSE(XmlStringValue(xml, "<key>cfbundledisplayname</key>"));
    EXPECT_FALSE(XmlStringValue("<key>A</key><integer>1</integer>", "<key>A</key>"));
    EXPECT_EQ(XmlStringValue("<key>A</key><string></string>", "<key>A</key>"), "");
}

TEST(IpaReader, VersionPrefersADottedShortVersion)
{
    EXPECT_EQ(PickIpaVersion("45", "1.2"), "1.2");
    EXPECT_EQ(PickIpaVersion("3.0.1", "3"), "3.0.1");
    EXPECT_EQ(PickIpaVersion("45", "3"), "45");
    EXPECT_EQ(PickIpaVersion("", ""), "");
}

TEST(IpaReader, DeviceFamiliesFromMarkersAnywhere)
{
    const QString one = "<integer>1</integer>", two = "<integer>2</integer>";
    EXPECT_EQ(DeviceFamilyText("<array>" + one + two + "</array>", one, two), "iPhones,iPad");
    EXPECT_EQ(DeviceFamilyText(two, one, two), "iPad");
    EXPECT_EQ(DeviceFamilyText("<key>Other</key>" + one, one, two), "iPhones");
    EXPECT_EQ(DeviceFamilyText("<integer>4</integer>", one, two), "");
}

namespace {

// Reads the fixture packages with the real tools, in scratch folders of the test's own.
class IpaWithRealToolsTest : public ::testing::Test
{
protected:
    PackageReading read(const QString &fixture)
    {
        return readNow(*reader, ReadKind::IpaPlists, QStringLiteral(TAVREL_FIXTURES_DIR "/ipa/") + fixture);
    }
    PackageInfo inspect(const QString &fixture)
    {
        const int p = list.append(QStringLiteral(TAVREL_FIXTURES_DIR "/ipa/"), fixture);
        fillRow(list, p, read(fixture));
        return list.rowAt(p);
    }

    QTemporaryDir scratch;
    const ProgramFolder::ScopedOverride folderOverride{TAVREL_PROGRAM_DIR, scratch.path()};
    std::optional<PackageReader> reader{std::in_place, 1};
    PackageList list;
};

} // namespace

TEST_F(IpaWithRealToolsTest, ChineseStringsWinAndFrameworksAndExtensionsArePassedOver)
{
    const PackageInfo row = inspect("store_app.ipa");
    EXPECT_EQ(row.displayName, "猫和老鼠");
    EXPECT_EQ(row.version, "1.2");
    EXPECT_EQ(row.minSystem, "9.0");
    EXPECT_EQ(row.platform, "iPhones,iPad");
    EXPECT_FALSE(row.sizeMB.isEmpty());
    // The bundle's own Info.plist was converted, not the framework's or the extension's.
    const QString info = read("store_app.ipa").plists.info.value_or(QString());
    EXPECT_TRUE(info.contains("<string>Tom &amp; Jerry</string>")) << info.toStdString();
}

TEST_F(IpaWithRealToolsTest, NestedBundleWinsAndCapitalBundleCounts)
{
    const PackageInfo nested = inspect("nested_app.ipa");
    EXPECT_EQ(nested.displayName, "宿主\"应用\"");
    EXPECT_EQ(nested.version, "2.0");
    EXPECT_EQ(nested.platform, "");

    const PackageInfo caps = inspect("caps_bundle.ipa");
    EXPECT_EQ(caps.displayName, "大写\n应用");
    EXPECT_EQ(caps.version, "45");
    EXPECT_EQ(caps.platform, "iPad");
}

TEST_F(IpaWithRealToolsTest, StoreMetadataFillsWhatTheBundleLacksAndEntitiesStay)
{
    const PackageInfo row = inspect("metadata_only.ipa");
    EXPECT_EQ(row.displayName, "Only &amp; Metadata");
    EXPECT_EQ(row.version, "4.0.1");
    EXPECT_EQ(row.platform, "iPad");
    EXPECT_EQ(row.minSystem, "");
}

TEST_F(IpaWithRealToolsTest, BrokenPackagesGiveOnlyTheSizeAndSayWhy)
{
    for (const char *fixture : {"empty.ipa", "not_a_zip.ipa", "truncated.ipa"}) {
        const PackageInfo row = inspect(fixture);
        EXPECT_EQ(row.displayName, "") << fixture;
        EXPECT_EQ(row.version, "") << fixture;
        EXPECT_FALSE(row.sizeMB.isEmpty()) << fixture;
    }
    EXPECT_TRUE(read("not_a_zip.ipa").failure.startsWith("7za 退出码 2: ")) << read("not_a_zip.ipa").failure.toStdString();
}

TEST_F(IpaWithRealToolsTest, WhatAnEarlierPackageLeftInTheFolderIsNeverReadAsThisOnes)
{
    // A worker's folder holding another package's lists: the next package read there does not
    // see them (this one has no Info.plist, so a stale Info.xml would give its name).
    ASSERT_TRUE(QDir().mkpath(ScratchFolder::path(0)));
    QFile stale(ScratchFolder::path(0) + "Info.xml");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("<key>CFBundleDisplayName</key><string>Stale</string>");
    stale.close();
    EXPECT_EQ(inspect("metadata_only.ipa").displayName, "Only &amp; Metadata");
    // Once idle the reader clears its folders; gone for good when it goes.
    reader.reset();
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}
