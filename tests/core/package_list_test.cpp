#include "core/package_list.h"
#include "core/package_list_model.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
QStringList numbers(const PackageList &list)
{
    QStringList out;
    for (int p = 1; p <= list.count(); ++p)
        out << list.rowAt(p).rowNumber;
    return out;
}
} // namespace

TEST(PackageList, NumbersAreNeverRenumberedAndRestartAfterClear)
{
    PackageList list;
    list.append("/a/", "1.apk");
    list.append("/a/", "2.apk");
    list.append("/a/", "3.apk");
    list.setSelected(2, true);
    const PackageList::Labels labels = list.removeSelected();
    EXPECT_EQ(numbers(list), QStringList({"1", "3"}));
    EXPECT_EQ(labels.count, "总数: 2");

    // The new row takes the new count, so two rows show "3".
    list.append("/a/", "4.apk");
    EXPECT_EQ(numbers(list), QStringList({"1", "3", "3"}));

    list.clear();
    EXPECT_EQ(list.count(), 0);
    list.append("/b/", "x.ipa");
    EXPECT_EQ(numbers(list), QStringList({"1"}));
}

TEST(PackageList, RemoveSelectedTakesEverySelectedRowIncludingNeighbours)
{
    PackageList list;
    for (int i = 1; i <= 5; ++i)
        list.append("/a/", QString::number(i) + ".apk");
    for (int p : {1, 2, 4, 5})
        list.setSelected(p, true);
    list.removeSelected();
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.rowAt(1).fileName, "3.apk");

    PackageList empty;
    EXPECT_EQ(empty.removeSelected().count, "总数: 0");
}

TEST(PackageList, IdentityIsFolderPlusFileNameComparedExactly)
{
    PackageList list;
    list.append("/data/", "App.apk");
    EXPECT_TRUE(list.containsPath("/data/", "App.apk"));
    EXPECT_FALSE(list.containsPath("/data/", "app.apk"));
    EXPECT_FALSE(list.containsPath("/Data/", "App.apk"));
    // Only the concatenation counts, not how it is split.
    EXPECT_TRUE(list.containsPath("/", "data/App.apk"));
}

TEST(PackageList, LabelTexts)
{
    PackageList list;
    const PackageList::Labels labels = list.labels();
    EXPECT_EQ(labels.count, "总数: 0");
    EXPECT_EQ(labels.hint, "提示: 双击软件列表可显示详细信息.");
    EXPECT_EQ(labels.status, "状态: 您也可以将所要处理的文件拖放到窗体内.");
}

TEST(PackageKind, LastThreeCharactersCaseSensitive)
{
    EXPECT_EQ(packageKindOf("a.apk"), PackageKind::Apk);
    EXPECT_EQ(packageKindOf("b.ipa"), PackageKind::Ipa);
    EXPECT_EQ(packageKindOf("c.APK"), PackageKind::None);
    EXPECT_EQ(packageKindOf("d.IPA"), PackageKind::None);
    EXPECT_EQ(packageKindOf("notes.txt"), PackageKind::None);
    EXPECT_EQ(packageKindOf("myapk"), PackageKind::Apk); // no dot needed, as before
}

TEST(PackageKind, AndroidBundlesAreAndroidPackagesAndKeepTheirOwnExtension)
{
    for (const char *bundle : {"a.xapk", "/dl/b.apks", "c.apkm", "v1.2.apks"})
        EXPECT_EQ(packageKindOf(bundle), PackageKind::Apk) << bundle;
    for (const char *other : {"a.APKS", "b.Apkm", "c.apks.txt", "d.apkx", "e.zip"})
        EXPECT_EQ(packageKindOf(other), PackageKind::None) << other;

    EXPECT_EQ(packageExtensionOf("a.b.apk"), ".apk");
    EXPECT_EQ(packageExtensionOf("bundle.xapk"), ".xapk");
    EXPECT_EQ(packageExtensionOf("/dl.d/v1.2.apks"), ".apks");
    EXPECT_EQ(packageExtensionOf("x.apkm"), ".apkm");
    EXPECT_EQ(packageExtensionOf("Old.Name.ipa"), ".ipa");
    // Without a dot the kind's own; a folder's dot is not the file's.
    EXPECT_EQ(packageExtensionOf("myapk"), ".apk");
    EXPECT_EQ(packageExtensionOf("/a.b/myipa"), ".ipa");
}

TEST(PackageListModel, ColumnsHeadersWidthsAndAlignments)
{
    PackageList list;
    PackageListModel model(&list);
    ASSERT_EQ(model.columnCount(), 9);
    const QStringList headers{"No.",          "程序原名", "内部名称(中文)", "版本",    "大小(MB)",
                              "系统要求(低)", "系统平台", "修改状态",       "目录地址"};
    const QList<int> widthsInTwips{450, 2400, 1800, 1000, 1000, 1500, 1500, 1000, 0};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headers[c]);
        EXPECT_EQ(PackageListModel::columnSpec(c).widthTwips, widthsInTwips[c]) << c;
    }
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignLeft,
              Qt::AlignLeft);
    EXPECT_EQ(model.headerData(3, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
}

TEST(PackageListModel, FollowsTheList)
{
    PackageList list;
    PackageListModel model(&list);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    list.append("/f/", "x.apk");
    ASSERT_EQ(model.rowCount(), 1);
    list.setCell(1, PackageInfo::DisplayName, "微信");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(model.data(model.index(0, PackageInfo::DisplayName), Qt::DisplayRole).toString(), "微信");
    EXPECT_EQ(model.data(model.index(0, PackageInfo::Folder), Qt::DisplayRole).toString(), "/f/");
    list.clear();
    EXPECT_EQ(model.rowCount(), 0);
}
