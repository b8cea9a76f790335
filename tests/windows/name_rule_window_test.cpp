// The naming-rule window driven by keyboard and mouse: the stored rule and the presets, saving a
// rule, refusing one (nothing changes), and the main window disabled only while it is open.
#include "modal_driver.h"
#include "platform/settings_store.h"
#include "rename/name_rule.h"
#include "skin/button/jcbutton.h"
#include "skin/frame/jcforms.h"
#include "windows/common/message_box_answers.h"
#include "windows/rule/name_rule_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Each test has its own settings file and gets the active rule back as it was.
class NameRuleWindowTest : public ::testing::Test
{
protected:
    NameRuleWindowTest() : settings(dir.path() + "/Tavrel.conf"), activeBefore(NameRule::active())
    {
        mainWindow.setWindowTitle("Tavrel v4.0.0112 (apk/ipa)");
        mainWindow.show();
    }
    ~NameRuleWindowTest() override { NameRule::setActive(activeBefore); }

    static void typeRule(FoPrint *window, const QString &rule)
    {
        QLineEdit *edit = window->Combo1()->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, rule);
    }
    static void click(skin::jcbutton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    }

    QTemporaryDir dir;
    SettingsStore::ScopedFile settings;
    QString activeBefore;
    QWidget mainWindow;
};

} // namespace

TEST_F(NameRuleWindowTest, ShowsTheStoredRuleOverThePresetsAndTheFixedTexts)
{
    ASSERT_TRUE(NameRule::saveToSettings("前缀 %Version%-%Name%"));
    bool shown = false;
    whenShown<FoPrint>([&](FoPrint *window) {
        shown = true;
        EXPECT_FALSE(mainWindow.isEnabled());
        EXPECT_TRUE(window->isEnabled());
        EXPECT_EQ(window->windowTitle(), "命名规则设置");
        EXPECT_EQ(window->Combo1()->currentText(), "前缀 %Version%-%Name%");
        const QStringList presets = {"%Name% %Version%", "%Name%-%Version%", "%Name%_%Version%",
                                     "%Name% v%Version%", "%Name% Ver%Version%"};
        ASSERT_EQ(window->Combo1()->count(), 5);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(window->Combo1()->itemText(i), presets[i]);
        EXPECT_EQ(window->findChild<QLabel *>("Label1")->text(), "格式串:");
        EXPECT_EQ(window->findChild<QLabel *>("Label2")->text(), "%Name%       程序名称(规则名请勿修改)");
        EXPECT_EQ(window->findChild<QLabel *>("Label3")->text(), "%Version%    程序版本(规则名请勿修改)");
        EXPECT_EQ(window->ComPrint()->Caption(), "保存");
        EXPECT_EQ(window->ComExit()->Caption(), "退出");
        EXPECT_FALSE(window->frame()->popupEnabled());

        // Closed by the frame's close button: nothing stored, the main window usable again.
        typeRule(window, "%Name%");
        const QPoint close = captionButtonCentre(window->frame(), skin::jcForms::CloseSlot);
        QTest::mouseMove(window->frame(), close);
        QTest::mouseClick(window->frame(), Qt::LeftButton, {}, close);
        EXPECT_FALSE(window->isVisible());
    });
    openNameRuleWindow(&mainWindow);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(NameRule::stored(), "前缀 %Version%-%Name%");
}

TEST_F(NameRuleWindowTest, SavingAValidRuleStoresItWithItsBlanksAndMakesItActive)
{
    // A preset picked from the list.
    whenShown<FoPrint>([](FoPrint *window) {
        window->Combo1()->setFocus();
        QTest::keyClick(window->Combo1(), Qt::Key_Down); // the list's next entry after the first
        EXPECT_EQ(window->Combo1()->currentText(), "%Name%-%Version%");
        click(window->ComPrint());
    });
    openNameRuleWindow(&mainWindow);
    EXPECT_EQ(NameRule::stored(), "%Name%-%Version%");
    EXPECT_EQ(NameRule::active(), "%Name%-%Version%");

    // Typed text: order and repetition do not matter, blanks around it are kept.
    MessageBoxAnswers noBox;
    whenShown<FoPrint>([](FoPrint *window) {
        EXPECT_EQ(window->Combo1()->currentText(), "%Name%-%Version%");
        typeRule(window, "  %Version%%Name% (%Name%) ");
        click(window->ComPrint());
        EXPECT_FALSE(window->isVisible());
    });
    openNameRuleWindow(&mainWindow);
    EXPECT_TRUE(noBox.asked().isEmpty());
    EXPECT_EQ(NameRule::stored(), "  %Version%%Name% (%Name%) ");
    EXPECT_EQ(NameRule::active(), "  %Version%%Name% (%Name%) ");
    EXPECT_TRUE(mainWindow.isEnabled());
}

TEST_F(NameRuleWindowTest, ARefusedRuleIsAnsweredAndChangesNeitherTheActiveNorTheStoredRule)
{
    ASSERT_TRUE(NameRule::saveToSettings("%Name%_%Version%"));
    NameRule::setActive("%Name%_%Version%");
    MessageBoxAnswers answers({MessageResult::Ok, MessageResult::Ok, MessageResult::Ok, MessageResult::Ok});
    whenShown<FoPrint>([](FoPrint *window) {
        // The last holds both placeholders but can never give a file name.
        for (const QString &refused :
             {QString("%name% %version%"), QString("%Name% only"), QString(), QString("%Name%/%Version%")}) {
            typeRule(window, refused);
            click(window->ComPrint());
            EXPECT_TRUE(window->isVisible()) << refused.toStdString();
            EXPECT_EQ(window->Combo1()->currentText(), refused);
            EXPECT_EQ(NameRule::active(), "%Name%_%Version%");
        }
        click(window->ComExit());
        EXPECT_FALSE(window->isVisible());
    });
    openNameRuleWindow(&mainWindow);
    ASSERT_EQ(answers.asked().size(), 4);
    for (const auto &asked : answers.asked())
        EXPECT_EQ(asked.prompt, "规则命名错误,请确认.");
    EXPECT_EQ(answers.asked()[0].style, 0);
    EXPECT_EQ(answers.asked()[0].title, "确认");
    EXPECT_EQ(NameRule::active(), "%Name%_%Version%");
    EXPECT_EQ(NameRule::stored(), "%Name%_%Version%");
    EXPECT_TRUE(mainWindow.isEnabled());

    // Reopened, the window shows the stored rule, not the refused text.
    whenShown<FoPrint>([](FoPrint *window) {
        EXPECT_EQ(window->Combo1()->currentText(), "%Name%_%Version%");
        QTest::keyClick(window->Combo1()->lineEdit(), Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
    });
    openNameRuleWindow(&mainWindow);
    EXPECT_EQ(NameRule::active(), "%Name%_%Version%");
}
