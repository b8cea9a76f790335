// The About text and the About window; and the sheets of the dialogs for the screenshot folder.
#include "modal_driver.h"
#include "platform/settings_store.h"
#include "skin/button/jcbutton.h"
#include "skin/frame/jcforms.h"
#include "support/sheet_language.h"
#include "windows/common/message_box_window.h"
#include "windows/main/about_window.h"
#include "windows/rule/name_rule_window.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

TEST(AboutWindow, TextAndWindowShowTheCaptionCreditAndDate)
{
    const QStringList lines = aboutText().split("\r\n");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "Tavrel v4.0.0112 (apk/ipa)");
    EXPECT_EQ(lines[1], creditLine());
    EXPECT_TRUE(creditLine().contains("Tavrel") && creditLine().contains("4.0"));
    EXPECT_EQ(lines[2], "2018-01-12");

    QWidget mainWindow;
    mainWindow.setWindowTitle("Tavrel v4.0.0112 (apk/ipa)");
    mainWindow.show();
    bool shown = false;
    whenShown<ForMail>([&](ForMail *window) {
        shown = true;
        EXPECT_TRUE(mainWindow.isEnabled());
        EXPECT_EQ(window->windowTitle(), "关于");
        EXPECT_EQ(window->captionLabel()->text(), "Tavrel v4.0.0112 (apk/ipa)");
        EXPECT_GE(window->captionLabel()->width(), window->captionLabel()->sizeHint().width());
        EXPECT_EQ(window->findChild<QLabel *>("Label5")->text(), "2018/01/12");
        for (const char *slot : {"Image2", "Image1_0", "Image1_1"})
            EXPECT_FALSE(window->findChild<QLabel *>(slot)->pixmap().isNull()) << slot;
        EXPECT_FALSE(window->frame()->MinButton());
        QTest::mouseClick(window->exitButton(), Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_FALSE(window->isVisible());
    });
    openAboutWindow(&mainWindow);
    EXPECT_TRUE(shown);
}

// Renders the message box in its four button sets, the naming-rule window and the About window.
TEST(DialogSheets, SavesTheDialogsForLooking)
{
    const SheetLanguage language;
    QTemporaryDir dir;
    const SettingsStore::ScopedFile settings(dir.path() + "/Tavrel.conf");
    QDir().mkpath(TAVREL_SCREENSHOT_DIR);
    const QString out = QStringLiteral(TAVREL_SCREENSHOT_DIR "/");
    QWidget mainWindow;
    mainWindow.setWindowTitle("Tavrel v4.0.0112 (apk/ipa)");

    const QList<std::pair<int, QString>> boxes = {
        {0, QCoreApplication::translate("FoPrint", "规则命名错误,请确认.")},
        {1, "右键菜单已添加.\r\n一行很长很长很长很长很长很长很长很长很长的说明文字"},
        {3, QCoreApplication::translate("MainWindow", "是否要清空当前列表?")},
        {4, aboutText()}};
    for (const auto &[style, prompt] : boxes) {
        ForMsgx box(&mainWindow);
        box.prepare(prompt, style,
                    QCoreApplication::translate("MainWindow", style == 4 ? "关于软件" : "确认"));
        box.show();
        QApplication::processEvents();
        EXPECT_TRUE(
            box.grab().save(out + SheetLanguage::fileName(QString("message_box_style%1.png").arg(style))));
    }
    FoPrint rule(&mainWindow);
    rule.show();
    QApplication::processEvents();
    EXPECT_TRUE(rule.grab().save(out + SheetLanguage::fileName("name_rule_window.png")));
    ForMail about(&mainWindow);
    about.show();
    QApplication::processEvents();
    EXPECT_TRUE(about.grab().save(out + SheetLanguage::fileName("about_window.png")));
}
