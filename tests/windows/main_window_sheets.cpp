// Pictures of the main window for people to look at (scripts/screenshots): empty, with a dozen
// rows of every kind, and with the list's popup menu open. Saved under build/screenshots.
#include "core/package_list.h"
#include "platform/program_folder.h"
#include "support/sheet_language.h"
#include "windows/main/list_popup_menu.h"
#include "windows/main/main_window.h"
#include "windows/main/package_view.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

bool save(const QImage &image, const char *fileName)
{
    QDir().mkpath(TAVREL_SCREENSHOT_DIR);
    return image.save(QStringLiteral(TAVREL_SCREENSHOT_DIR "/") +
                      SheetLanguage::fileName(QString::fromLatin1(fileName)));
}

void fillDozenRows(PackageList &list)
{
    struct Row
    {
        const char *file, *name, *version, *size, *minSystem, *platform, *status;
    };
    const Row rows[] = {
        {"wechat_8.0.apk", "微信", "8.0.32", "242.17", "Android 5.0", "Android 12", "修改完成"},
        {"alipay.apk", "支付宝", "10.3.20", "118.60", "Android 5.0", "Android 11", "文件已存在"},
        {"game.APK", "", "", "", "", "", "无法修改"},
        {"notes.txt", "", "", "", "", "", "无法修改"},
        {"Tom and Jerry.ipa", "猫和老鼠", "7.2.1", "1864.03", "11.0", "iPhone/iPad", ""},
        {"com.example.very.long.package.name.with.many.parts-release-signed.apk",
         "一个名字非常非常长的应用程序显示名称", "2.10.1-beta+build.20180112", "3.50", "Android 4.4",
         "Android 8.1", "修改完成"},
        {"old.apk", "旧应用", "UnKnown", "0.01", "UnKown", "UnKown", ""},
        {"maps.ipa", "地图", "5.4", "96.20", "9.0", "iPhone", "修改完成"},
        {"reader.apk", "阅读", "3.1.4", "12.75", "Android 4.1", "Android 9", "文件已存在"},
        {"pad_only.ipa", "", "", "45.00", "", "iPad", ""},
        {"music.apk", "Music Player", "1.0", "7.08", "Android 2.3", "Android 4.4", ""},
        {"日历 2018.apk", "日历", "2018.1", "4.44", "Android 6.0", "Android 10", "修改完成"},
    };
    for (const Row &r : rows) {
        const int p = list.append(QStringLiteral("/home/user/下载/"), QString::fromUtf8(r.file));
        list.setCell(p, PackageInfo::DisplayName, QString::fromUtf8(r.name));
        list.setCell(p, PackageInfo::Version, QString::fromUtf8(r.version));
        list.setCell(p, PackageInfo::SizeMB, QString::fromUtf8(r.size));
        list.setCell(p, PackageInfo::MinSystem, QString::fromUtf8(r.minSystem));
        list.setCell(p, PackageInfo::Platform, QString::fromUtf8(r.platform));
        // The statuses as a rename run words them.
        list.setCell(p, PackageInfo::Status, QCoreApplication::translate("RenameRun", r.status));
    }
}

} // namespace

TEST(MainWindowSheets, EmptyWithRowsAndWithThePopupOpen)
{
    const SheetLanguage language;
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(save(window.grab().toImage(), "main_window_empty.png"));

    fillDozenRows(*window.packageList());
    window.view()->selectionModel()->select(window.view()->model()->index(4, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window.refreshLabels();
    QApplication::processEvents();
    const QImage rows = window.grab().toImage();
    EXPECT_TRUE(save(rows, "main_window_rows.png"));

    // The popup is a window of its own: draw it over the window where it opens.
    ListPopupMenu *menu = window.popupMenu();
    const QPoint at = window.view()->geometry().topLeft() + QPoint(160, 120);
    menu->popup(window.mapToGlobal(at));
    QApplication::processEvents();
    QImage withMenu = rows;
    QPainter(&withMenu).drawImage(at, menu->grab().toImage());
    menu->close();
    EXPECT_TRUE(save(withMenu, "main_window_popup.png"));
}

TEST(MainWindowSheets, PackageIconsInTheNameColumn)
{
    // The thumbnailer of the build's program folder reads the icons of real packages.
    QTemporaryDir scratch;
    const ProgramFolder::ScopedOverride folder(TAVREL_PROGRAM_DIR, scratch.path());
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString icons = QStringLiteral(TAVREL_FIXTURES_DIR "/icons/");
    for (const char *file :
         {"icons-adaptive-vector.apk", "icons-adaptive-bitmap.apk", "icons-densities.apk", "icons-webp.apk",
          "icons-bundle.apks", "ipa-cgbi.ipa", "ipa-plain.ipa", "ipa-artwork.ipa", "icons-none.apk"}) {
        const int p = window.packageList()->append(icons, QString::fromLatin1(file));
        window.packageList()->setCell(p, PackageInfo::DisplayName, QStringLiteral("图标"));
    }
    // Each icon arrives in its own time: the picture is taken once the window stops changing.
    QImage rows = window.grab().toImage();
    for (int waited = 0; waited < 20000; waited += 500) {
        QTest::qWait(500);
        const QImage now = window.grab().toImage();
        if (now == rows && waited >= 1500)
            break;
        rows = now;
    }
    EXPECT_TRUE(save(rows, "main_window_icons.png"));
}
