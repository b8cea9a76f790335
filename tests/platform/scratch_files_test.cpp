#include "platform/scratch_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ScratchFiles, AFreshFileReplacesWhatStoodThereAndNeverFollowsALink)
{
    QTemporaryDir scratch, outside;
    const QString name = scratch.path() + "/tempinfor.txt";

    // A dangling link: its target must not be created.
    const QString target = outside.path() + "/created-outside.txt";
    ASSERT_TRUE(QFile::link(target, name));
    ASSERT_TRUE(createFreshFile(name));
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_FALSE(QFileInfo(name).isSymLink());
    EXPECT_EQ(QFileInfo(name).size(), 0);

    // A link to a file of the user's: the file keeps its content.
    const QString precious = outside.path() + "/precious.txt";
    QFile file(precious);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    QFile::remove(name);
    ASSERT_TRUE(QFile::link(precious, name));
    ASSERT_TRUE(createFreshFile(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep me");

    // An old output file is emptied.
    QFile old(name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("stale");
    old.close();
    ASSERT_TRUE(createFreshFile(name));
    EXPECT_EQ(QFileInfo(name).size(), 0);
}
