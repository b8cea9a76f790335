// Package icons for the window: read in the background by the thumbnailer, kept by path, size and
// the file's state, and nothing for a package without an icon.
#include "app/package_icons.h"

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString copyOf(const QTemporaryDir &dir, const char *fixture, const char *name)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile::copy(QStringLiteral(TAVREL_FIXTURES_DIR "/icons/") + QString::fromLatin1(fixture), path);
    return path;
}

} // namespace

TEST(PackageIcons, ReadsInTheBackgroundOnceAndAgainWhenTheFileChanges)
{
    QTemporaryDir dir;
    const QString apk = copyOf(dir, "icons-densities.apk", "a b's.apk");
    PackageIcons icons(nullptr, QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel-thumbnailer"));
    QSignalSpy ready(&icons, &PackageIcons::iconReady);

    EXPECT_TRUE(icons.icon(apk, 16).isEmpty()) << "never waits for the thumbnailer";
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_EQ(ready.takeFirst(), (QList<QVariant>{apk, 16}));
    EXPECT_EQ(QImage::fromData(icons.icon(apk, 16)).size(), QSize(16, 16));
    EXPECT_TRUE(ready.isEmpty());
    // Another size is another icon: the 48 pixel one comes from the mdpi bitmap, red.
    EXPECT_TRUE(icons.icon(apk, 48).isEmpty());
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_EQ(QImage::fromData(icons.icon(apk, 48)).pixel(24, 24), qRgb(255, 0, 0));

    // The file replaced by another package: read again.
    QFile::remove(apk);
    QFile::copy(QStringLiteral(TAVREL_FIXTURES_DIR "/icons/icons-drawable-only.apk"), apk);
    QFile file(apk);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    file.close();
    EXPECT_TRUE(icons.icon(apk, 48).isEmpty());
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_EQ(QImage::fromData(icons.icon(apk, 48)).pixel(24, 24), qRgb(255, 0, 255));
}

TEST(PackageIcons, APackageWithoutAnIconIsAskedOnceAndStaysEmpty)
{
    QTemporaryDir dir;
    const QString none = copyOf(dir, "icons-none.apk", "none.apk");
    const QString ipa = copyOf(dir, "ipa-plain.ipa", "plain.ipa");
    PackageIcons icons(nullptr, QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel-thumbnailer"));
    QSignalSpy ready(&icons, &PackageIcons::iconReady);
    EXPECT_TRUE(icons.icon(none, 16).isEmpty());
    EXPECT_TRUE(icons.icon(ipa, 16).isEmpty());
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_EQ(ready.takeFirst().constFirst().toString(), ipa);
    EXPECT_FALSE(ready.wait(500)) << "no signal for a package without an icon";
    EXPECT_TRUE(icons.icon(none, 16).isEmpty());
    EXPECT_FALSE(ready.wait(500)) << "and it is not read again";
    EXPECT_TRUE(icons.icon(dir.filePath("missing.apk"), 16).isEmpty());
}

TEST(PackageIcons, AThumbnailerThatCannotStartLeavesEveryIconEmpty)
{
    QTemporaryDir dir;
    const QString apk = copyOf(dir, "icons-densities.apk", "a.apk");
    PackageIcons icons(nullptr, dir.filePath("no-such-thumbnailer"));
    QSignalSpy ready(&icons, &PackageIcons::iconReady);
    EXPECT_TRUE(icons.icon(apk, 16).isEmpty());
    EXPECT_FALSE(ready.wait(1000));
    EXPECT_TRUE(icons.icon(apk, 16).isEmpty());
}
