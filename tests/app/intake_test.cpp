#include "app/intake.h"
#include "core/package_list.h"
#include "inspect/ipa_unpack.h"
#include "platform/program_folder.h"
#include "support/fake_tools.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The intake with a stand-in aapt that names every package "App" (slowly when asked to).
class IntakeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(program.path() + "/bin"));
        folderOverride.emplace(program.path() + "/bin", program.path() + "/bin");
        ASSERT_TRUE(writeFakeTool(program.path() + "/bin/aapt",
                                  "[ -n \"$TAVREL_TEST_SLOW\" ] && sleep 0.3\n"
                                  "printf \"application-label:'App'\\r\\nversionName='1.0'\\r\\n\"\n"));
        folder = files.path() + "/";
        for (const char *name : {"a.apk", "b.apk", "c.APK", "notes.txt"})
            touch(name);
        QDir().mkpath(folder + "sub.apk");
    }
    void TearDown() override
    {
        WaitForBackgroundClearing();
        qunsetenv("TAVREL_TEST_SLOW");
    }
    void touch(const QString &name)
    {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList fileNames() const
    {
        QStringList names;
        for (int p = 1; p <= list.count(); ++p)
            names << list.rowAt(p).fileName;
        return names;
    }

    QTemporaryDir program, files;
    std::optional<ProgramFolder::ScopedOverride> folderOverride;
    QString folder;
    PackageList list;
    Intake intake{&list};
};

TEST_F(IntakeTest, DropSkipsFoldersOtherTypesUpperCaseAndDuplicates)
{
    QSignalSpy finished(&intake, &Intake::batchFinished);
    ASSERT_TRUE(intake.addDroppedPaths(
        {folder + "sub.apk", folder + "notes.txt", folder + "c.APK", folder + "a.apk"}));
    EXPECT_EQ(fileNames(), QStringList({"a.apk"}));
    EXPECT_EQ(list.rowAt(1).folder, folder);
    EXPECT_EQ(list.rowAt(1).displayName, "App");
    EXPECT_EQ(finished.count(), 1);

    // Already listed: skipped, while the other file of the same drop is added.
    intake.addDroppedPaths({folder + "a.apk", folder + "b.apk"});
    EXPECT_EQ(fileNames(), QStringList({"a.apk", "b.apk"}));
    EXPECT_EQ(list.rowAt(2).rowNumber, "2");
}

TEST_F(IntakeTest, DroppedBundlesAreReadLikeAnApk)
{
    for (const char *name : {"base.xapk", "split.apks", "mirror.apkm", "upper.APKS"})
        touch(name);
    ASSERT_TRUE(intake.addDroppedPaths(
        {folder + "base.xapk", folder + "split.apks", folder + "mirror.apkm", folder + "upper.APKS"}));
    EXPECT_EQ(fileNames(), QStringList({"base.xapk", "split.apks", "mirror.apkm"}));
    for (int p = 1; p <= list.count(); ++p) {
        EXPECT_EQ(list.rowAt(p).displayName, "App") << p;
        EXPECT_EQ(list.rowAt(p).version, "1.0") << p;
    }
}

TEST_F(IntakeTest, ChosenFilesOfOtherTypesGetABareRow)
{
    ASSERT_TRUE(intake.addChosenFiles({folder + "notes.txt", folder + "c.APK", folder + "b.apk"}));
    EXPECT_EQ(fileNames(), QStringList({"notes.txt", "c.APK", "b.apk"}));
    EXPECT_EQ(list.rowAt(1).displayName, "");
    EXPECT_EQ(list.rowAt(2).sizeMB, "");
    EXPECT_EQ(list.rowAt(3).displayName, "App");

    // A cancelled dialog adds nothing but still ends the batch.
    QSignalSpy finished(&intake, &Intake::batchFinished);
    intake.addChosenFiles({});
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(IntakeTest, StaleStoreMetadataInTheProgramFolderIsRemovedBeforeChosenFiles)
{
    QFile stale(program.path() + "/bin/iTunesMetadata.plist");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    intake.addDroppedPaths({folder + "a.apk"});
    EXPECT_TRUE(stale.exists()); // a drop leaves it
    intake.addChosenFiles({folder + "b.apk"});
    EXPECT_FALSE(stale.exists());
}

TEST_F(IntakeTest, NoSecondBatchWhileOneRuns)
{
    qputenv("TAVREL_TEST_SLOW", "1");
    bool secondAccepted = true;
    bool busyDuring = false;
    // Fires while the first batch waits for its tool and the window handles events.
    QTimer::singleShot(100, [&] {
        busyDuring = intake.isBusy();
        secondAccepted = intake.addDroppedPaths({folder + "b.apk"});
    });
    ASSERT_TRUE(intake.addDroppedPaths({folder + "a.apk"}));
    EXPECT_TRUE(busyDuring);
    EXPECT_FALSE(secondAccepted);
    EXPECT_EQ(fileNames(), QStringList({"a.apk"}));
    EXPECT_FALSE(intake.isBusy());
}

TEST_F(IntakeTest, EachBatchClearsBothScratchFolders)
{
    QDir().mkpath(ScratchFolder::path(ScratchFolder::Temp1));
    intake.addDroppedPaths({});
    EXPECT_FALSE(QDir(ScratchFolder::path(ScratchFolder::Temp1)).exists());
}

} // namespace
