#include "app/main_commands.h"
#include "app/main_hints.h"
#include "core/package_list.h"

#include <gtest/gtest.h>

TEST(MainCommands, CommandsThatTouchTheListWaitForTheIntake)
{
    for (MainCommand c :
         {MainCommand::AddFiles, MainCommand::Drop, MainCommand::RemoveSelected, MainCommand::ClearList,
          MainCommand::NameRule, MainCommand::StartRename, MainCommand::Details}) {
        EXPECT_FALSE(commandMayRun(c, true)) << int(c);
        EXPECT_TRUE(commandMayRun(c, false)) << int(c);
    }
    for (MainCommand c : {MainCommand::ShellEntry, MainCommand::About, MainCommand::Exit})
        EXPECT_TRUE(commandMayRun(c, true)) << int(c);
}

TEST(MainCommands, DetailTargetIsTheFocusedRowOnlyWhenItIsSelected)
{
    PackageList list;
    EXPECT_FALSE(detailTargetFor(list, 0));
    EXPECT_FALSE(detailTargetFor(list, 1)); // empty list
    list.append("/p/", "a.apk");
    list.append("/q/", "b.ipa");
    EXPECT_FALSE(detailTargetFor(list, 2)); // focused, not selected
    list.setSelected(1, true);
    EXPECT_FALSE(detailTargetFor(list, 0)); // selected, nothing focused
    EXPECT_FALSE(detailTargetFor(list, 3));
    list.setSelected(2, true);
    const auto target = detailTargetFor(list, 2);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->folder, "/q/");
    EXPECT_EQ(target->fileName, "b.ipa");
    EXPECT_EQ(target->position, 2);
}

TEST(MainHints, EveryControlHasAStatusBarHint)
{
    for (int c = int(MainControl::AddFiles); c <= int(MainControl::PackageList); ++c) {
        const QString text = MainHints::statusText(MainControl(c));
        EXPECT_TRUE(text.startsWith(QStringLiteral("状态栏: ")));
        EXPECT_GT(text.size(), 5) << c;
    }
    EXPECT_EQ(MainHints::statusText(MainControl::PackageList), QStringLiteral("状态栏: 列表清单."));
    EXPECT_TRUE(MainHints::creditLine().contains(QStringLiteral("v4.0.0112")));
}
