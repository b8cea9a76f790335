#include "inspect/ipa_unpack.h"
#include "inspect/store_metadata_text.h"
#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class StoreMetadataTextTest : public ::testing::Test
{
protected:
    void TearDown() override { WaitForBackgroundClearing(); }
    static QString fixture(const char *path) { return QStringLiteral(TAVREL_FIXTURES_DIR "/") + path; }
    void leaveStaleMetadataInTemp()
    {
        ASSERT_TRUE(QDir().mkpath(ScratchFolder::path(ScratchFolder::Temp)));
        QFile stale(ScratchFolder::path(ScratchFolder::Temp) + "iTunesMetadata.xml");
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("<plist><dict><key>artistName</key><string>Somebody Else</string></dict></plist>");
    }

    QTemporaryDir scratch;
    ProgramFolder::ScopedOverride folders{TAVREL_PROGRAM_DIR, scratch.path()};
};

} // namespace

TEST_F(StoreMetadataTextTest, IsTheWholeConvertedListAndTheSameWhenAskedTwice)
{
    const QString first = ReadStoreMetadataText(fixture("ipa/store_app.ipa"));
    EXPECT_TRUE(first.startsWith("<?xml")) << first.toStdString();
    EXPECT_TRUE(first.contains("<key>bundleDisplayName</key>\n\t<string>Store Demo</string>"))
        << first.toStdString();
    EXPECT_TRUE(first.trimmed().endsWith("</plist>"));
    EXPECT_EQ(ReadStoreMetadataText(fixture("ipa/store_app.ipa")), first);

    // A binary list comes out as XML too.
    const QString binary = ReadStoreMetadataText(fixture("ipa/caps_bundle.ipa"));
    EXPECT_TRUE(binary.contains("<string>Caps Store Name</string>")) << binary.toStdString();
    EXPECT_EQ(ReadStoreMetadataText(fixture("ipa/caps_bundle.ipa")), binary);
}

TEST_F(StoreMetadataTextTest, EmptyForAPackageWithoutTheEntryEvenAfterAnother)
{
    leaveStaleMetadataInTemp();
    EXPECT_EQ(ReadStoreMetadataText(fixture("ipa/nested_app.ipa")), "");
    EXPECT_FALSE(ReadStoreMetadataText(fixture("ipa/store_app.ipa")).isEmpty());
    EXPECT_EQ(ReadStoreMetadataText(fixture("ipa/nested_app.ipa")), "");
    EXPECT_EQ(ReadStoreMetadataText(fixture("ipa/not_a_zip.ipa")), "");
}

TEST_F(StoreMetadataTextTest, EmptyForAnAndroidPackage)
{
    leaveStaleMetadataInTemp();
    EXPECT_EQ(ReadStoreMetadataText(fixture("apk/permissions.apk")), "");
}
