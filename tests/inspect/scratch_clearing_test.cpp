// The clearing of the scratch folders removes only what is ours: links are unlinked, never
// followed, and trees of any depth go.
#include "inspect/ipa_unpack.h"
#include "inspect/package_reader.h"
#include "platform/program_folder.h"
#include "support/deep_tree.h"
#include "support/user_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ScratchClearingTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(UserFiles::write(user.path())); }

    QStringList scratchEntries() const
    {
        return QDir(scratch.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir user, scratch;
    const ProgramFolder::ScopedOverride folderOverride{TAVREL_PROGRAM_DIR, scratch.path()};
};

} // namespace

TEST_F(ScratchClearingTest, LinksNamedLikeOurFoldersOrLeftoversAreUnlinkedNeverFollowed)
{
    ASSERT_TRUE(QFile::link(user.path(), scratch.path() + "/temp"));
    ASSERT_TRUE(QFile::link(user.path() + "/album", scratch.path() + "/temp1"));
    ASSERT_TRUE(QFile::link(user.path(), scratch.path() + "/.tavrel-clearing-link-left-over"));
    ASSERT_TRUE(QDir().mkpath(scratch.path() + "/.tavrel-clearing-folder-left-over/Payload"));
    ASSERT_TRUE(QFile::link(user.path(), scratch.path() + "/.tavrel-clearing-folder-left-over/Payload/x"));

    ASSERT_TRUE(QFile::link(user.path(), scratch.path() + "/temp7"));
    ScratchClearing clearing;
    clearing.clearAll();
    clearing.wait();
    EXPECT_EQ(UserFiles::intact(user.path()), UserFiles::names());
    EXPECT_EQ(scratchEntries(), QStringList());

    // A reader's start clears a link the same way, and so does its end.
    ASSERT_TRUE(QFile::link(user.path(), scratch.path() + "/temp"));
    {
        PackageReader reader(2);
        EXPECT_FALSE(QFileInfo(scratch.path() + "/temp").isSymLink());
        ASSERT_TRUE(QFile::link(user.path(), scratch.path() + "/temp1"));
    }
    EXPECT_EQ(UserFiles::intact(user.path()), UserFiles::names());
    EXPECT_EQ(scratchEntries(), QStringList());
}

TEST_F(ScratchClearingTest, TreesDeeperThanAnyPathAndEmptyFoldersAreRemoved)
{
    // As an IPA with a member 2,100 folders deep leaves it, and a leftover of an earlier run.
    ASSERT_TRUE(QDir().mkpath(scratch.path() + "/temp/Payload"));
    ASSERT_TRUE(makeDeepTree(scratch.path() + "/temp/Payload", 2100));
    for (const char *name : {"/temp1/Payload/A.app/empty", "/.tavrel-clearing-deep-left-over"}) {
        ASSERT_TRUE(QDir().mkpath(scratch.path() + name));
        ASSERT_TRUE(makeDeepTree(scratch.path() + name, 300));
    }
    ScratchClearing clearing;
    clearing.clearAll();
    clearing.wait();
    EXPECT_EQ(scratchEntries(), QStringList());
}
