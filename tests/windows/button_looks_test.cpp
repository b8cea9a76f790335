// Every button of every window in the look the program gives that kind of button: style, face and
// caption colours, focus rectangle and font; the faces behind the fonts; Qt's own texts in Chinese.
#include "core/package_list.h"
#include "platform/settings_store.h"
#include "skin/button/jcbutton.h"
#include "windows/common/message_box_window.h"
#include "windows/common/program_fonts.h"
#include "windows/common/qt_translation.h"
#include "windows/details/apk_details_window.h"
#include "windows/details/ipa_details_window.h"
#include "windows/main/about_window.h"
#include "windows/main/main_window.h"
#include "windows/rule/name_rule_window.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

using skin::jcbutton;

namespace {

struct Look
{
    jcbutton::Style style;
    skin::ColourRef back, fore;
    bool focusRect;
    const char *family; // nullptr: the window's own font
    qreal points;
};

constexpr skin::ColourRef kSysFace = skin::kSysButtonFace;
constexpr skin::ColourRef kSysText = skin::kSysButtonText;
const Look kCommand{jcbutton::ShadowStyle, 0x9C6113, 0xFFFFFF, true, "宋体", 9};
const Look kBox{jcbutton::ShadowStyle, 0x9C6113, 0xFFFFFF, true, "Tahoma", 8.25};

void expectLook(const jcbutton *button, const Look &look)
{
    SCOPED_TRACE(button->objectName().toStdString() + " " + button->Caption().toStdString());
    ASSERT_TRUE(button);
    EXPECT_EQ(button->ButtonStyle(), look.style);
    EXPECT_EQ(button->BackColor(), look.back);
    EXPECT_EQ(button->ForeColor(), look.fore);
    EXPECT_EQ(button->ShowFocusRect(), look.focusRect);
    if (look.family) {
        EXPECT_EQ(button->font().family(), QString::fromUtf8(look.family));
        EXPECT_DOUBLE_EQ(button->font().pointSizeF(), look.points);
    }
}

} // namespace

TEST(ButtonLooks, EveryWindowDressesEachKindOfButtonAlike)
{
    MainWindow main;
    for (const char *name : {"jcbutton1", "jcbutton2", "jcbutton5", "jcbutton6", "jcbutton3", "jcbutton4",
                             "ComStart", "ComExit"})
        expectLook(main.findChild<jcbutton *>(name), kCommand);

    QTemporaryDir dir;
    const SettingsStore::ScopedFile settings(dir.path() + "/Tavrel.conf");
    FoPrint rule(&main);
    expectLook(rule.ComPrint(), kCommand);
    expectLook(rule.ComExit(), kCommand);

    ForMsgx box(&main);
    box.prepare("?", 4, "确认");
    for (int i = 0; i < 3; ++i)
        expectLook(box.cmdButton(i), kBox);

    ForMail about(&main);
    expectLook(about.exitButton(), {jcbutton::SoftStyle, 0xE3E3E3, kSysText, false, nullptr, 0});

    PackageList list;
    ForOuts apk(&main, &list, nullptr, {dir.path() + "/", "a.apk", 1});
    ForOuta ipa(&main, &list, nullptr, {dir.path() + "/", "a.ipa", 1});
    for (DetailsForm *details : {static_cast<DetailsForm *>(&apk), static_cast<DetailsForm *>(&ipa)}) {
        expectLook(details->cmdButton(DetailsForm::ExitButton),
                   {jcbutton::ShadowStyle, 0xAA6D00, 0xFFFFFF, true, nullptr, 0});
        for (int plain : {DetailsForm::StoreButton, DetailsForm::RenameButton})
            expectLook(details->cmdButton(plain),
                       {jcbutton::StandardStyle, kSysFace, kSysText, true, nullptr, 0});
        expectLook(details->cmdButton(DetailsForm::InfoButton),
                   {jcbutton::InfoStyle, kSysFace, kSysText, false, nullptr, 0});
    }
}

TEST(ButtonLooks, ChineseTextComesFromAFaceLegibleAtNinePoints)
{
    // "宋体" and Tahoma are not on this platform: Latin text falls back to a screen face, and
    // Chinese to the sharp face behind it rather than to whatever the system offers first.
    const QFont song = songtiFont();
    EXPECT_EQ(song.families().first(), "宋体");
    EXPECT_TRUE(song.families().contains(chineseFace()));
    EXPECT_EQ(QFontInfo(QFont(chineseFace())).family(), chineseFace()) << "the set-up installs it";
}

TEST(QtTranslation, QtsOwnDialogsSpeakChinese)
{
    const QString lookIn = QCoreApplication::translate("QFileDialog", "Look in:");
    QTranslator *chinese = installQtTranslation();
    ASSERT_TRUE(chinese) << "the set-up installs qt6-translations-l10n";
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), lookIn);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "取消");
    QCoreApplication::removeTranslator(chinese);
    delete chinese;
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), lookIn);
}
