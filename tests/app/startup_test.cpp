#include "app/startup.h"
#include "support/fake_tools.h"

#include <QDir>
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
