// Closing the main window while a large intake is being read: the window goes at once, the
// reads still waiting are dropped, running tools are killed, the scratch folders are cleared, and
// no file of the user's is changed.
#include "app/intake.h"
#include "app/startup.h"
#include "core/package_list.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "support/package_batch.h"
#include "windows/main/main_window.h"
#include "windows/main/package_view.h"

#include <QApplication>
#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(Closing, TheMainWindowClosesInTheMiddleOfAnIntakeOfTwoHundredPackages)
{
    QTemporaryDir scratch, config, files;
    const ProgramFolder::ScopedOverride folders(TAVREL_PROGRAM_DIR, scratch.path());
    const SettingsStore::ScopedFile settings(config.path() + "/Tavrel.conf");
    const QStringList paths = makePackageBatch(files.path(), 200);
    ASSERT_EQ(paths.size(), 200);
    const auto before = folderDigest(files.path());
    {
        // As window mode runs: the session's reader, the window over it.
        StartupSession session;
        ASSERT_EQ(session.begin(), StartupSession::Ready);
        MainWindow window(session.reader());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        QWidget *list = window.view()->viewport();
        QDragEnterEvent enter(list->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list, &enter);
        QDropEvent drop(list->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list, &drop);
        // The drop returned before any row was added.
        EXPECT_EQ(window.packageList()->count(), 0);

        // Wait until the rows are there and a few are read, then close in the middle.
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.intake()->readCount() >= 5; }, 60000));
        EXPECT_EQ(window.packageList()->count(), 200);
        EXPECT_TRUE(window.intake()->isBusy());
        EXPECT_TRUE(window.close());
        EXPECT_FALSE(window.isVisible());
        session.reader()->stop();
        EXPECT_TRUE(session.reader()->isIdle());
    }
    EXPECT_EQ(folderDigest(files.path()), before);
    EXPECT_EQ(QDir(scratch.path())
                  .entryList({"temp*", ".tavrel-clearing-*"}, QDir::AllEntries | QDir::Hidden | QDir::System),
              QStringList());
}
