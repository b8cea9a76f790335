#include "app/intake.h"
#include "core/package_list.h"
#include "inspect/ipa_unpack.h"
#include "inspect/package_reader.h"
#include "platform/program_folder.h"
#include "support/fake_tools.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The intake with a stand-in aapt that names every package "App". While the file "hold" stands in
// the program folder it waits, so that a test decides when a read may end.
class IntakeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(program.path() + "/bin"));
        folderOverride.emplace(program.path() + "/bin", program.path() + "/bin");
        ASSERT_TRUE(writeFakeTool(program.path() + "/bin/aapt",
                                  "while [ -e '" + hold().toUtf8() + "' ]; do sleep 0.01; done\n"
                                  "printf \"application-label:'App'\\r\\nversionName='1.0'\\r\\n\"\n"));
        reader.emplace(2);
        intake.emplace(&list, &*reader);
        folder = files.path() + "/";
        for (const char *name : {"a.apk", "b.apk", "c.APK", "notes.txt"})
            touch(name);
        QDir().mkpath(folder + "sub.apk");
    }
    QString hold() const { return program.path() + "/bin/hold"; }
    void touch(const QString &name)
    {
        QFile file(name.startsWith('/') ? name : folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList fileNames() const
    {
        QStringList names;
        for (int p = 1; p <= list.count(); ++p)
            names << list.rowAt(p).fileName;
        return names;
    }
    // Waits for the batch under way to end (its last package read).
    bool batchEnds()
    {
        QSignalSpy finished(&*intake, &Intake::batchFinished);
        return !intake->isBusy() || finished.wait(30000);
    }

    QTemporaryDir program, files;
    std::optional<ProgramFolder::ScopedOverride> folderOverride;
    QString folder;
    PackageList list;
    std::optional<PackageReader> reader;
    std::optional<Intake> intake;
};

TEST_F(IntakeTest, DropSkipsFoldersOtherTypesUpperCaseAndDuplicates)
{
    ASSERT_TRUE(intake->addDroppedPaths(
        {folder + "sub.apk", folder + "notes.txt", folder + "c.APK", folder + "a.apk"}));
    // The row is there at once; it fills when read.
    EXPECT_EQ(fileNames(), QStringList({"a.apk"}));
    EXPECT_EQ(list.rowAt(1).folder, folder);
    ASSERT_TRUE(batchEnds());
    EXPECT_EQ(list.rowAt(1).displayName, "App");

    // Already listed: skipped, while the other file of the same drop is added.
    intake->addDroppedPaths({folder + "a.apk", folder + "b.apk"});
    ASSERT_TRUE(batchEnds());
    EXPECT_EQ(fileNames(), QStringList({"a.apk", "b.apk"}));
    EXPECT_EQ(list.rowAt(2).rowNumber, "2");
}

TEST_F(IntakeTest, DroppedBundlesAreReadLikeAnApk)
{
    for (const char *name : {"base.xapk", "split.apks", "mirror.apkm", "upper.APKS"})
        touch(name);
    ASSERT_TRUE(intake->addDroppedPaths(
        {folder + "base.xapk", folder + "split.apks", folder + "mirror.apkm", folder + "upper.APKS"}));
    ASSERT_TRUE(batchEnds());
    EXPECT_EQ(fileNames(), QStringList({"base.xapk", "split.apks", "mirror.apkm"}));
    for (int p = 1; p <= list.count(); ++p) {
        EXPECT_EQ(list.rowAt(p).displayName, "App") << p;
        EXPECT_EQ(list.rowAt(p).version, "1.0") << p;
    }
}

TEST_F(IntakeTest, ChosenFilesOfOtherTypesGetABareRow)
{
    ASSERT_TRUE(intake->addChosenFiles({folder + "notes.txt", folder + "c.APK", folder + "b.apk"}));
    ASSERT_TRUE(batchEnds());
    EXPECT_EQ(fileNames(), QStringList({"notes.txt", "c.APK", "b.apk"}));
    EXPECT_EQ(list.rowAt(1).displayName, "");
    EXPECT_EQ(list.rowAt(2).sizeMB, "");
    EXPECT_EQ(list.rowAt(3).displayName, "App");

    // A cancelled dialog adds nothing but still ends a batch, at once.
    QSignalSpy finished(&*intake, &Intake::batchFinished);
    intake->addChosenFiles({});
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(IntakeTest, StaleStoreMetadataInTheProgramFolderIsRemovedBeforeChosenFiles)
{
    touch(program.path() + "/bin/iTunesMetadata.plist");
    intake->addDroppedPaths({folder + "a.apk"});
    ASSERT_TRUE(batchEnds());
    EXPECT_TRUE(QFile::exists(program.path() + "/bin/iTunesMetadata.plist")); // a drop leaves it
    intake->addChosenFiles({folder + "b.apk"});
    ASSERT_TRUE(batchEnds());
    EXPECT_FALSE(QFile::exists(program.path() + "/bin/iTunesMetadata.plist"));
}

TEST_F(IntakeTest, NoSecondBatchWhileOneRunsAndProgressIsCounted)
{
    touch(hold());
    QSignalSpy progress(&*intake, &Intake::progress);
    ASSERT_TRUE(intake->addDroppedPaths({folder + "a.apk", folder + "b.apk"}));
    EXPECT_TRUE(intake->isBusy());
    EXPECT_FALSE(intake->addDroppedPaths({folder + "notes.txt"}));
    EXPECT_FALSE(intake->addChosenFiles({folder + "notes.txt"}));
    EXPECT_EQ(Intake::progressText(intake->readCount(), intake->total()), "正在读取 0/2");
    ASSERT_TRUE(QFile::remove(hold()));
    ASSERT_TRUE(batchEnds());
    EXPECT_EQ(fileNames(), QStringList({"a.apk", "b.apk"}));
    ASSERT_EQ(progress.size(), 2);
    EXPECT_EQ(progress.last(), QVariantList({2, 2}));
    EXPECT_FALSE(intake->isBusy());
}

TEST_F(IntakeTest, AReadForARemovedRowIsDroppedNotWrittenIntoAnother)
{
    touch(hold());
    ASSERT_TRUE(intake->addDroppedPaths({folder + "a.apk", folder + "b.apk"}));
    // The first row goes while both are read; the second takes its position.
    list.setSelected(1, true);
    list.removeSelected();
    ASSERT_TRUE(QFile::remove(hold()));
    ASSERT_TRUE(batchEnds());
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.rowAt(1).fileName, "b.apk");
    EXPECT_EQ(list.rowAt(1).displayName, "App");
}

TEST_F(IntakeTest, EachBatchEndsWithTheScratchFoldersCleared)
{
    QDir().mkpath(ScratchFolder::path(1));
    intake->addDroppedPaths({folder + "a.apk"});
    ASSERT_TRUE(batchEnds());
    EXPECT_FALSE(QDir(ScratchFolder::path(1)).exists());
}

} // namespace
