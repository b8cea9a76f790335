#include "app/details_rename.h"
#include "core/detail_target.h"
#include "core/package_list.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A list of one row for a file in a fresh folder, as a double-click leaves it.
class DetailsRenameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + "/";
        write("old.apk", "package");
        target = {folder, "old.apk", list.append(folder, "old.apk")};
        list.setCell(target.position, PackageInfo::Status, "待定");
    }
    void write(const QString &name, const QByteArray &data)
    {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    QByteArray contents(const QString &name)
    {
        QFile file(folder + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    const PackageInfo &row() const { return list.rowAt(target.position); }

    QTemporaryDir dir;
    QString folder;
    PackageList list;
    DetailTarget target;
};

} // namespace

TEST_F(DetailsRenameTest, RenamedFileShowsItsNewNameAndDone)
{
    EXPECT_EQ(renameFromDetails(list, target, "old.apk", "笔记 2.1.0.apk"), RenameOutcome::Renamed);
    EXPECT_EQ(contents("笔记 2.1.0.apk"), "package");
    EXPECT_FALSE(QFile::exists(folder + "old.apk"));
    EXPECT_EQ(row().fileName, "笔记 2.1.0.apk");
    EXPECT_EQ(row().status, "修改完成");

    // The window still names the old file; asking again finds it gone and says so, keeping the
    // row's new name.
    EXPECT_EQ(renameFromDetails(list, target, "old.apk", "again.apk"), RenameOutcome::Refused);
    EXPECT_EQ(row().fileName, "笔记 2.1.0.apk");
    EXPECT_EQ(row().status, "无法修改");
}

TEST_F(DetailsRenameTest, TakenNameKeepsBothFilesAndTheRow)
{
    write("taken.apk", "other");
    EXPECT_EQ(renameFromDetails(list, target, "old.apk", "taken.apk"), RenameOutcome::TargetExists);
    EXPECT_EQ(contents("taken.apk"), "other");
    EXPECT_EQ(contents("old.apk"), "package");
    EXPECT_EQ(row().fileName, "old.apk");
    EXPECT_EQ(row().status, "文件已存在");
}

TEST_F(DetailsRenameTest, VanishedFileOrUnusableNameIsRefused)
{
    for (const QString &bad : {QString("../escape.apk"), QString(""), QString("a/b.apk")}) {
        EXPECT_EQ(renameFromDetails(list, target, "old.apk", bad), RenameOutcome::Refused)
            << bad.toStdString();
        EXPECT_EQ(contents("old.apk"), "package");
        EXPECT_EQ(row().fileName, "old.apk");
        EXPECT_EQ(row().status, "无法修改");
    }
    EXPECT_FALSE(QFile::exists(dir.path() + "/../escape.apk"));

    list.setCell(target.position, PackageInfo::Status, "");
    ASSERT_TRUE(QFile::remove(folder + "old.apk"));
    EXPECT_EQ(renameFromDetails(list, target, "old.apk", "new.apk"), RenameOutcome::Refused);
    EXPECT_FALSE(QFile::exists(folder + "new.apk"));
    EXPECT_EQ(row().fileName, "old.apk");
    EXPECT_EQ(row().status, "无法修改");
}

TEST_F(DetailsRenameTest, RowOfAnotherFolderIsLeftAlone)
{
    list.clear();
    QTemporaryDir elsewhere;
    const int position = list.append(elsewhere.path() + "/", "old.apk");
    ASSERT_EQ(position, target.position);
    EXPECT_EQ(renameFromDetails(list, target, "old.apk", "new.apk"), RenameOutcome::Renamed);
    EXPECT_EQ(list.rowAt(position).fileName, "old.apk");
    EXPECT_EQ(list.rowAt(position).status, "");
}
