#include "core/package_list.h"
#include "platform/safe_rename.h"
#include "rename/name_rule.h"
#include "rename/rename_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RenameRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + "/apps/";
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    void write(const QString &name, const QByteArray &content)
    {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    int addRow(const QString &fileName, const QString &name, const QString &version)
    {
        const int p = list.append(folder, fileName);
        list.setCell(p, PackageInfo::DisplayName, name);
        list.setCell(p, PackageInfo::Version, version);
        return p;
    }
    QStringList filesIn(const QString &path)
    {
        return QDir(path).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    QString folder;
    PackageList list;
};

TEST_F(RenameRunTest, RenamesByTheRuleAndTheSecondRunFindsTheNameTaken)
{
    write("abc.apk", "wechat");
    const int p = addRow("abc.apk", "微信", "8.0.1");

    runRename(list, NameRule::defaultRule());
    EXPECT_EQ(list.rowAt(p).fileName, "微信 8.0.1.apk");
    EXPECT_EQ(list.rowAt(p).status, "修改完成");
    EXPECT_EQ(read(folder + "微信 8.0.1.apk"), "wechat");

    runRename(list, NameRule::defaultRule());
    EXPECT_EQ(list.rowAt(p).fileName, "微信 8.0.1.apk");
    EXPECT_EQ(list.rowAt(p).status, "文件已存在");
    EXPECT_EQ(filesIn(folder), QStringList({"微信 8.0.1.apk"}));
}

TEST_F(RenameRunTest, CoincidingNamesGoToTheFirstRowAndNothingIsOverwritten)
{
    write("one.apk", "first");
    write("two.apk", "second");
    write("taken 1.0.ipa", "already here");
    write("three.ipa", "third");
    addRow("one.apk", "Same", "1");
    addRow("two.apk", "Same", "1");
    addRow("three.ipa", "taken", "1.0");

    runRename(list, NameRule::defaultRule());
    EXPECT_EQ(list.rowAt(1).status, "修改完成");
    EXPECT_EQ(list.rowAt(2).status, "文件已存在");
    EXPECT_EQ(list.rowAt(2).fileName, "two.apk");
    EXPECT_EQ(list.rowAt(3).status, "文件已存在");
    EXPECT_EQ(read(folder + "Same 1.apk"), "first");
    EXPECT_EQ(read(folder + "two.apk"), "second");
    EXPECT_EQ(read(folder + "taken 1.0.ipa"), "already here");
    EXPECT_EQ(read(folder + "three.ipa"), "third");
}

TEST_F(RenameRunTest, ExtensionKeepsItsCaseAndVersionPlaceholderInNameIsExpanded)
{
    write("a.Apk", "x");
    addRow("a.Apk", "N%Version%", "2");
    runRename(list, "%Name%");
    EXPECT_EQ(list.rowAt(1).fileName, "N2.Apk");
}

TEST_F(RenameRunTest, BundlesAndNamesWithManyDotsKeepTheirWholeExtension)
{
    const QStringList files{"a.xapk", "b.APKS", "c.apkm", "d.v2.ipa", "eapk"};
    for (const QString &file : files) {
        write(file, file.toUtf8());
        addRow(file, "App " + file.left(1), "1.0");
    }
    runRename(list, NameRule::defaultRule());
    EXPECT_EQ(filesIn(folder), QStringList({"App a 1.0.xapk", "App b 1.0.APKS", "App c 1.0.apkm",
                                            "App d 1.0.ipa", "App e 1.0.apk"}));
    EXPECT_EQ(read(folder + "App a 1.0.xapk"), "a.xapk");
    EXPECT_EQ(list.rowAt(1).fileName, "App a 1.0.xapk");

    // The command line's single rename keeps it too.
    write("f.apks", "f");
    QString why;
    EXPECT_TRUE(renameFileByRule(folder + "f.apks", "F", "2", NameRule::defaultRule(), ".apk", &why));
    EXPECT_EQ(read(folder + "F 2.apks"), "f");
}

TEST_F(RenameRunTest, ARuleThatGivesAnEmptyNameRenamesNothing)
{
    write("x.apk", "x");
    addRow("x.apk", "App", "1");
    runRename(list, "");
    EXPECT_EQ(list.rowAt(1).status, "无法修改");
    EXPECT_EQ(list.rowAt(1).fileName, "x.apk");
    QString why;
    EXPECT_FALSE(renameFileByRule(folder + "x.apk", "App", "1", "", ".apk", &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(filesIn(folder), QStringList({"x.apk"}));
}

TEST_F(RenameRunTest, HostileOrEmptyDisplayNamesNeverLeaveTheFolder)
{
    const QStringList names{"../x", "a/b", "", ".", "..", "../../etc/passwd", "bad\nname"};
    for (int i = 0; i < names.size(); ++i) {
        const QString file = QString::number(i) + ".apk";
        write(file, "data");
        addRow(file, names[i], "");
    }
    runRename(list, "%Name%%Version%");

    // Everything is still in the folder, nothing appeared beside or above it.
    EXPECT_EQ(filesIn(dir.path()), QStringList());
    EXPECT_EQ(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(filesIn(folder).size(), names.size());
    for (int p = 1; p <= list.count(); ++p) {
        const PackageInfo &row = list.rowAt(p);
        EXPECT_TRUE(QFile::exists(folder + row.fileName)) << p;
        if (row.displayName.contains('/') || row.displayName.isEmpty() || row.displayName.contains('\n')) {
            EXPECT_EQ(row.status, "无法修改") << row.displayName.toStdString();
            EXPECT_EQ(row.fileName, QString::number(p - 1) + ".apk");
        }
    }
    // "." and ".." with the extension are ordinary names inside the folder.
    EXPECT_EQ(list.rowAt(4).fileName, "..apk");
    EXPECT_EQ(list.rowAt(5).fileName, "...apk");
}

TEST_F(RenameRunTest, RefusedRenamesLeaveTheRowAsItWas)
{
    write("long.apk", "x");
    addRow("long.apk", QString(300, 'n'), "1"); // longer than a file name may be
    addRow("gone.apk", "Gone", "1");            // the file was removed since it was listed
    addRow("other.txt", "", "");                // a row of no kind has no display name
    runRename(list, NameRule::defaultRule());
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(list.rowAt(p).status, "无法修改") << p;
    EXPECT_EQ(list.rowAt(1).fileName, "long.apk");
    EXPECT_EQ(list.rowAt(2).fileName, "gone.apk");
    EXPECT_TRUE(QFile::exists(folder + "long.apk"));
}

TEST_F(RenameRunTest, EmptyListDoesNothing)
{
    runRename(list, NameRule::defaultRule());
    EXPECT_EQ(list.count(), 0);
}

TEST_F(RenameRunTest, SingleFileRenameReportsWhyItFailed)
{
    write("pkg.apk", "apk");
    write("App 2.0.apk", "other");
    QString why;
    EXPECT_FALSE(renameFileByRule(folder + "pkg.apk", "App", "2.0", NameRule::defaultRule(), ".apk", &why));
    EXPECT_TRUE(why.contains("App 2.0.apk"));
    EXPECT_EQ(read(folder + "App 2.0.apk"), "other");

    EXPECT_FALSE(renameFileByRule(folder + "pkg.apk", "", "2.0", NameRule::defaultRule(), ".apk", &why));
    EXPECT_TRUE(QFile::exists(folder + "pkg.apk"));

    EXPECT_TRUE(renameFileByRule(folder + "pkg.apk", "App", "3.0", NameRule::defaultRule(), ".apk", &why));
    EXPECT_EQ(read(folder + "App 3.0.apk"), "apk");
}

TEST(SafeRename, SingleFileNames)
{
    EXPECT_TRUE(isSingleFileName("微信 8.0.1.apk"));
    EXPECT_TRUE(isSingleFileName("..apk"));
    for (const QString &bad : {QString(), QString("."), QString(".."), QString("a/b"), QString("a\tb"),
                               QString(QChar(0)) + "x", QString(256, 'a')})
        EXPECT_FALSE(isSingleFileName(bad)) << bad.toStdString();
    // The limit is in bytes of the encoded name: 85 Chinese characters are 255 bytes.
    EXPECT_TRUE(isSingleFileName(QString(85, QChar(0x4e2d))));
    EXPECT_FALSE(isSingleFileName(QString(86, QChar(0x4e2d))));
}

} // namespace
