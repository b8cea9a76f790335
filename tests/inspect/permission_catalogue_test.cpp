#include "inspect/permission_catalogue.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(PermissionCatalogue, GivesTheKnownDescriptionsWordForWord)
{
    using PermissionCatalogue::describe;
    EXPECT_EQ(describe("android.permission.INTERNET"), QStringLiteral("访问网络"));
    EXPECT_EQ(describe("android.permission.ACCESS_COARSE_LOCATION"), QStringLiteral("获取错略位置"));
    EXPECT_EQ(describe("android.permission.SET_ACTIVITY_WATCHER"), QStringLiteral("设置Activity观察其"));
    EXPECT_EQ(describe("android.permission.ACCESS_CHECKIN_PROPERTIES"), QStringLiteral("访问登记属性"));
    EXPECT_EQ(describe("android.permission.BIND_INPUT_METHOD"), QStringLiteral("绑定输入法"));
    EXPECT_EQ(describe("android.permission.GET_ACCOUNTS"), QStringLiteral("访问账户Gmail列表"));
    EXPECT_EQ(describe("android.permission.CELL_PHONE_MASTER_EX"), QStringLiteral("手机优化大师扩展权限"));
    EXPECT_EQ(describe("com.android.browser.permission.READ_HISTORY_BOOKMARKS"),
              QStringLiteral("读取收藏夹和历史记录"));
    EXPECT_EQ(describe("com.android.alarm.permission.SET_ALARM"), QStringLiteral("设置闹铃提醒"));
    EXPECT_EQ(describe("android.permission.WRITE_SYNC_SETTINGS"), QStringLiteral("写入在线同步设置"));
}

TEST(PermissionCatalogue, OnlyTheExactNameIsFound)
{
    using PermissionCatalogue::describe;
    for (const char *name :
         {"android.permission.internet", "ANDROID.PERMISSION.INTERNET", " android.permission.INTERNET",
          "android.permission.INTERNET ", "'android.permission.INTERNET'", "name=android.permission.INTERNET",
          "android.permission.INTERNET\r", "INTERNET", "android.permission.UNHEARD_OF", ""})
        EXPECT_EQ(describe(QString::fromLatin1(name)), QString()) << name;
}

TEST(PermissionCatalogue, TheStatusBarPairIsTheOnlySharedDescription)
{
    EXPECT_EQ(PermissionCatalogue::describe("android.permission.EXPAND_STATUS_BAR"),
              QStringLiteral("状态栏控制"));
    EXPECT_EQ(PermissionCatalogue::describe("android.permission.STATUS_BAR"), QStringLiteral("状态栏控制"));
    QSet<QString> descriptions;
    for (const auto &entry : PermissionCatalogue::entries()) {
        const QString description = QString::fromUtf8(entry.description);
        EXPECT_FALSE(description.isEmpty()) << entry.name;
        EXPECT_FALSE(description.contains(QChar::ReplacementCharacter)) << entry.name;
        descriptions.insert(description);
    }
    EXPECT_EQ(descriptions.size(), 119);
}

TEST(PermissionCatalogue, HoldsOneHundredTwentyDistinctKeysInTableOrder)
{
    const auto entries = PermissionCatalogue::entries();
    ASSERT_EQ(entries.size(), 120u);
    QSet<QString> keys;
    int platformKeys = 0;
    for (const auto &entry : entries) {
        const QString key = QString::fromLatin1(entry.name);
        keys.insert(key);
        platformKeys += key.startsWith("android.permission.");
        // Every key is found, and finds its own description.
        EXPECT_EQ(PermissionCatalogue::describe(key), QString::fromUtf8(entry.description)) << entry.name;
    }
    EXPECT_EQ(keys.size(), 120);
    EXPECT_EQ(platformKeys, 117);
    EXPECT_STREQ(entries.front().name, "android.permission.ACCESS_CHECKIN_PROPERTIES");
    EXPECT_STREQ(entries[33].name, "android.permission.CWJ_GROUP"); // out of alphabetical order
    EXPECT_STREQ(entries[89].name, "com.android.alarm.permission.SET_ALARM");
    EXPECT_STREQ(entries.back().name, "android.permission.WRITE_SYNC_SETTINGS");
}
