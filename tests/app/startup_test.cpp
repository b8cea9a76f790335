#include "app/command_line_rename.h"
#include "app/startup.h"
#include "inspect/ipa_unpack.h"
#include "platform/settings_store.h"
#include "support/deep_tree.h"
#include "support/fake_tools.h"
#include "support/rename_now.h"
#include "support/user_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Startup, TheWholeTailIsOnePath)
{
    EXPECT_EQ(Startup::commandLineTail({"tavrel", "/tmp/My", "App.apk"}), "/tmp/My App.apk");
    EXPECT_EQ(Startup::commandLineTail({"tavrel"}), "");
    // Only blanks: window mode.
    EXPECT_EQ(Startup::normalisedPath("   "), "");
    EXPECT_EQ(Startup::normalisedPath("/abs/x.apk"), "/abs/x.apk");
    EXPECT_EQ(Startup::normalisedPath("rel dir/x.apk"), QDir::currentPath() + "/rel dir/x.apk");
}

TEST(Startup, OnlyTheFirstMissingToolIsNamed)
{
    QTemporaryDir dir;
    EXPECT_EQ(Startup::firstMissingTool(dir.path()), Startup::toolNames().first());
    ASSERT_TRUE(writeFakeTool(dir.path() + "/aapt", ""));
    EXPECT_EQ(Startup::firstMissingTool(dir.path()), "7za");
    EXPECT_EQ(Startup::missingToolMessage("7za"), "\"7za\"文件丢失,软件无法正常运行.");
    ASSERT_TRUE(writeFakeTool(dir.path() + "/7za", ""));
    ASSERT_TRUE(writeFakeTool(dir.path() + "/plistconvert", ""));
    EXPECT_EQ(Startup::firstMissingTool(dir.path()), "");
}

namespace {

// A folder of the user's files, and links to it standing where the program keeps its scratch
// folders, as a careless user or another program may leave them.
class LinkedScratchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(UserFiles::write(user.path()));
        for (const char *name : {"/temp", "/temp1", "/.tavrel-clearing-startup-test"})
            ASSERT_TRUE(QFile::link(user.path(), scratch.path() + name));
        ASSERT_TRUE(QDir().mkpath(packages.path()));
        ASSERT_TRUE(QFile::copy(TAVREL_FIXTURES_DIR "/ipa/store_app.ipa", packages.path() + "/x.ipa"));
    }

    QTemporaryDir user, scratch, config, packages;
    const ProgramFolder::ScopedOverride folderOverride{TAVREL_PROGRAM_DIR, scratch.path()};
    const SettingsStore::ScopedFile settings{config.path() + "/Tavrel.conf"};
};

} // namespace

TEST_F(LinkedScratchTest, ALinkNamedTempNeverLosesItsTargetsFiles)
{
    {
        StartupSession session;
        ASSERT_EQ(session.begin(), StartupSession::Ready);
        QString error;
        EXPECT_TRUE(renameNow(session.reader(), packages.path() + "/x.ipa", &error)) << error.toStdString();
    }
    EXPECT_EQ(UserFiles::intact(user.path()), UserFiles::names());
    EXPECT_TRUE(QFileInfo::exists(packages.path() + "/猫和老鼠 1.2.ipa"));
    // The links are gone, and the unpacking left nothing but the claim's lock.
    EXPECT_EQ(
        QDir(scratch.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList({".tavrel-scratch.lock"}));
}

TEST_F(LinkedScratchTest, AnInstanceWithAPrivateScratchFolderLeavesNothingBehind)
{
    // Another instance, with other settings, holds the shared scratch location.
    InstanceClaim other(scratch.path() + "/.tavrel-scratch.lock");
    ASSERT_TRUE(other.tryClaim());
    {
        StartupSession session;
        ASSERT_EQ(session.begin(), StartupSession::Ready);
        EXPECT_NE(ProgramFolder::scratchRoot(), scratch.path());
        ASSERT_TRUE(QDir().mkpath(ProgramFolder::scratchRoot() + "/temp/Payload"));
        ASSERT_TRUE(makeDeepTree(ProgramFolder::scratchRoot() + "/temp/Payload", 2100));
        ASSERT_TRUE(QFile::link(user.path(), ProgramFolder::scratchRoot() + "/temp1"));
        QString error;
        EXPECT_TRUE(renameNow(session.reader(), packages.path() + "/x.ipa", &error)) << error.toStdString();
    }
    EXPECT_EQ(ProgramFolder::scratchRoot(), scratch.path());
    EXPECT_EQ(UserFiles::intact(user.path()), UserFiles::names());
    // The shared location's links were not this instance's to clear; its own folder is gone.
    EXPECT_EQ(
        QDir(scratch.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList({".tavrel-clearing-startup-test", ".tavrel-scratch.lock", "temp", "temp1"}));
}
