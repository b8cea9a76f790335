#include "inspect/ipa_unpack.h"
#include "platform/program_folder.h"
#include "support/reading.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class StoreMetadataTextTest : public ::testing::Test
{
protected:
    // The store metadata of the fixture package as the raw metadata window gets it.
    QString ReadStoreMetadataText(const QString &fixture)
    {
        return readNow(reader, ReadKind::StoreMetadata, QStringLiteral(TAVREL_FIXTURES_DIR "/") + fixture)
            .plists.storeMetadata.value_or(QString());
    }
    void leaveStaleMetadataInTemp()
    {
        ASSERT_TRUE(QDir().mkpath(ScratchFolder::path(0)));
        QFile stale(ScratchFolder::path(0) + "iTunesMetadata.xml");
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("<plist><dict><key>artistName</key><string>Somebody Else</string></dict></plist>");
    }

    QTemporaryDir scratch;
    ProgramFolder::ScopedOverride folders{TAVREL_PROGRAM_DIR, scratch.path()};
    PackageReader reader{1};
};

} // namespace

TEST_F(StoreMetadataTextTest, IsTheWholeConvertedListAndTheSameWhenAskedTwice)
{
    const QString first = ReadStoreMetadataText(("ipa/store_app.ipa"));
    EXPECT_TRUE(first.startsWith("<?xml")) << first.toStdString();
    EXPECT_TRUE(first.contains("<key>bundleDisplayName</key>\n\t<string>Store Demo</string>"))
        << first.toStdString();
    EXPECT_TRUE(first.trimmed().endsWith("</plist>"));
    EXPECT_EQ(ReadStoreMetadataText(("ipa/store_app.ipa")), first);

    // A binary list comes out as XML too.
    const QString binary = ReadStoreMetadataText(("ipa/caps_bundle.ipa"));
    EXPECT_TRUE(binary.contains("<string>Caps Store Name</string>")) << binary.toStdString();
    EXPECT_EQ(ReadStoreMetadataText(("ipa/caps_bundle.ipa")), binary);
}

TEST_F(StoreMetadataTextTest, EmptyForAPackageWithoutTheEntryEvenAfterAnother)
{
    leaveStaleMetadataInTemp();
    EXPECT_EQ(ReadStoreMetadataText(("ipa/nested_app.ipa")), "");
    EXPECT_FALSE(ReadStoreMetadataText(("ipa/store_app.ipa")).isEmpty());
    EXPECT_EQ(ReadStoreMetadataText(("ipa/nested_app.ipa")), "");
    EXPECT_EQ(ReadStoreMetadataText(("ipa/not_a_zip.ipa")), "");
}

TEST_F(StoreMetadataTextTest, EmptyForAnAndroidPackage)
{
    leaveStaleMetadataInTemp();
    EXPECT_EQ(ReadStoreMetadataText(("apk/permissions.apk")), "");
}
