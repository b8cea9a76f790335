#include "app/intake.h"
#include "core/package_list.h"
#include "inspect/ipa_unpack.h"
#include "platform/program_folder.h"
#include "windows/main/main_window.h"

#include <QDir>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

TEST(MainWindow, ShowsTheListWithItsHeadersAndFilledRows)
{
    QTemporaryDir scratch;
    const ProgramFolder::ScopedOverride folderOverride(TAVREL_PROGRAM_DIR, scratch.path());
    MainWindow window;
    window.show();
    const QString fixtures = QStringLiteral(TAVREL_FIXTURES_DIR);
    window.intake()->addDroppedPaths({fixtures + "/apk/label-zh-cn.apk", fixtures + "/apk/label-zh.apk",
                                      fixtures + "/ipa/store_app.ipa", fixtures + "/ipa"});
    WaitForBackgroundClearing();

    auto *view = window.findChild<QTreeView *>();
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->header()->isHidden());
    EXPECT_GT(view->header()->height(), 10);
    EXPECT_EQ(view->model()->headerData(2, Qt::Horizontal).toString(), "内部名称(中文)");
    EXPECT_EQ(view->header()->sectionSize(1), 160);
    EXPECT_TRUE(view->isColumnHidden(8)); // the folder column carries data only
    EXPECT_EQ(view->model()->rowCount(), 3);
    EXPECT_EQ(window.packageList()->rowAt(3).displayName, "猫和老鼠");

    QDir().mkpath(TAVREL_SCREENSHOT_DIR);
    EXPECT_TRUE(window.grab().save(TAVREL_SCREENSHOT_DIR "/main_window.png"));
}
