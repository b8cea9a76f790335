#include "platform/tree_removal.h"
#include "support/deep_tree.h"
#include "support/user_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

int openDescriptors()
{
    return int(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

} // namespace

TEST(TreeRemoval, LinksAreUnlinkedAndTheirTargetsKeepEveryFile)
{
    QTemporaryDir scratch, user;
    ASSERT_TRUE(UserFiles::write(user.path()));

    // A link standing where the folder would be, and links inside a folder being removed.
    ASSERT_TRUE(QFile::link(user.path(), scratch.path() + "/temp"));
    ASSERT_TRUE(QDir().mkpath(scratch.path() + "/temp1/Payload"));
    ASSERT_TRUE(QFile::link(user.path(), scratch.path() + "/temp1/Payload/inner"));
    ASSERT_TRUE(QFile::link(user.path() + "/album", scratch.path() + "/temp1/album"));
    ASSERT_TRUE(QFile::link(scratch.path() + "/nowhere", scratch.path() + "/dangling"));

    for (const char *name : {"/temp", "/temp1", "/dangling", "/never-there"})
        EXPECT_TRUE(removeTree(scratch.path() + name)) << name;
    EXPECT_EQ(
        QDir(scratch.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList());
    EXPECT_EQ(UserFiles::intact(user.path()), UserFiles::names());
}

TEST(TreeRemoval, TreesOfAnyDepthGoWithABoundedNumberOfDescriptors)
{
    QTemporaryDir scratch;
    // Deeper than the longest path the system takes ("d/" 2,100 times), and a wide one beside it.
    ASSERT_TRUE(QDir().mkpath(scratch.path() + "/deep"));
    ASSERT_TRUE(makeDeepTree(scratch.path() + "/deep", 2100));
    ASSERT_TRUE(QDir().mkpath(scratch.path() + "/wide"));
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(QDir().mkpath(scratch.path() + QStringLiteral("/wide/%1/sub").arg(i)));
        writeFile(scratch.path() + QStringLiteral("/wide/%1/sub/.hidden").arg(i), "x");
    }

    const int before = openDescriptors();
    EXPECT_TRUE(removeTree(scratch.path() + "/deep/", 8));
    EXPECT_TRUE(removeTree(scratch.path() + "/wide", 2));
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_FALSE(QFileInfo::exists(scratch.path() + "/deep"));
    EXPECT_FALSE(QFileInfo::exists(scratch.path() + "/wide"));

    ASSERT_TRUE(QDir().mkpath(scratch.path() + "/again"));
    ASSERT_TRUE(makeDeepTree(scratch.path() + "/again", 300));
    EXPECT_TRUE(removeTree(scratch.path() + "/again"));
    EXPECT_FALSE(QFileInfo::exists(scratch.path() + "/again"));
}

TEST(TreeRemoval, AFileIsRemovedAndAMissingParentIsNoError)
{
    QTemporaryDir scratch;
    writeFile(scratch.path() + "/tempinfor.txt", "old");
    EXPECT_TRUE(removeTree(scratch.path() + "/tempinfor.txt"));
    EXPECT_FALSE(QFileInfo::exists(scratch.path() + "/tempinfor.txt"));
    EXPECT_TRUE(removeTree(scratch.path() + "/no/such/folder"));
    EXPECT_FALSE(removeTree(scratch.path() + "/.."));
}
