#include "app/package_inspection.h"
#include "core/package_list.h"
#include "inspect/command_runner.h"
#include "inspect/ipa_reader.h"
#include "inspect/ipa_unpack.h"
#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

// Unpacks the fixture packages with the real tools into a scratch folder of the test's own.
class IpaWithRealToolsTest : public ::testing::Test
{
protected:
    void TearDown() override { WaitForBackgroundClearing(); }
    PackageInfo inspect(const QString &fixture)
    {
        const int p = list.append(QStringLiteral(TAVREL_FIXTURES_DIR "/ipa/"), fixture);
        InspectIpa(list, p);
        return list.rowAt(p);
    }

    QTemporaryDir scratch;
    const ProgramFolder::ScopedOverride folderOverride{TAVREL_PROGRAM_DIR, scratch.path()};
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
    const QString info = ReadUtf8File(ScratchFolder::currentPath() + "Info.xml");
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

TEST_F(IpaWithRealToolsTest, BrokenPackagesGiveOnlyTheSize)
{
    for (const char *fixture : {"empty.ipa", "not_a_zip.ipa", "truncated.ipa"}) {
        const PackageInfo row = inspect(fixture);
        EXPECT_EQ(row.displayName, "") << fixture;
        EXPECT_EQ(row.version, "") << fixture;
        EXPECT_FALSE(row.sizeMB.isEmpty()) << fixture;
    }
}

TEST_F(IpaWithRealToolsTest, ScratchFoldersAlternateAndAClearingNeverMeetsTheNextUnpack)
{
    using namespace ScratchFolder;
    ChooseScratchFolder();
    EXPECT_EQ(current(), Temp); // both free
    QDir().mkpath(path(Temp));
    QFile(path(Temp) + "Info.xml").open(QIODevice::WriteOnly);

    ChooseScratchFolder();
    EXPECT_EQ(current(), Temp1);             // temp filled by the last package is being cleared
    EXPECT_FALSE(QDir(path(Temp)).exists()); // moved aside at once

    // A new "temp" made right away is not touched by the clearing still under way.
    QDir().mkpath(path(Temp));
    QFile kept(path(Temp) + "kept.xml");
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.close();
    WaitForBackgroundClearing();
    EXPECT_TRUE(kept.exists());
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"temp"}));

    // temp1 filled in turn: back to temp; both filled: both cleared and temp used.
    QDir().mkpath(path(Temp1));
    QFile(path(Temp1) + "Info.xml").open(QIODevice::WriteOnly);
    QDir(path(Temp)).removeRecursively();
    ChooseScratchFolder();
    EXPECT_EQ(current(), Temp);
    for (Name name : {Temp, Temp1}) {
        QDir().mkpath(path(name));
        QFile(path(name) + "Info.xml").open(QIODevice::WriteOnly);
    }
    ChooseScratchFolder();
    EXPECT_EQ(current(), Temp);
    EXPECT_FALSE(holdsFiles(Temp) || holdsFiles(Temp1));
}
