#include "details_test_support.h"
#include "inspect/apk_details.h"
#include "inspect/ipa_unpack.h"
#include "skin/button/jcbutton.h"
#include "windows/common/url_opener.h"
#include "windows/details/apk_details_window.h"
#include "windows/details/details_windows.h"
#include "windows/details/ipa_details_window.h"
#include "windows/details/raw_metadata_window.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

namespace {

QString text(const DetailsForm &w, const char *name)
{
    return w.field(QString::fromLatin1(name))->text();
}

void click(DetailsForm &w, int index)
{
    skin::jcbutton *b = w.cmdButton(index);
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
}

using ApkWindow = DetailsFixture;
using IpaWindow = DetailsFixture;
using RawWindow = DetailsFixture;
using DetailsButtons = DetailsFixture;
using OpenDetails = DetailsFixture;

// Runs trigger, which shows a modal window of type W and waits for it; once that window is up,
// deletes owner. Returns whether the window appeared and went with its owner.
template <class W> bool ownerGoesWhileModal(QWidget *owner, const std::function<void()> &trigger)
{
    QPointer<W> modal;
    const bool seen = onModal<W>(trigger, [&](W *w) {
        modal = w;
        delete owner;
    });
    return seen && modal.isNull();
}

} // namespace

TEST_F(ApkWindow, ShowsEveryFieldOfAPackageWithManyPermissions)
{
    const ActiveRuleGuard rule(NameRule::defaultRule());
    ForOuts w(nullptr, &list, &*reader, add("apk/many-permissions.apk"));
    ASSERT_TRUE(loaded(w));
    EXPECT_EQ(w.windowTitle(), "程序信息");
    EXPECT_EQ(text(w, "Text1"), "日程与笔记管理大师专业版");
    EXPECT_EQ(text(w, "Text2"), "12.4.0.2031-release");
    EXPECT_EQ(text(w, "Text3"), "0.00 MB");
    EXPECT_EQ(text(w, "Text4"), "org.tavrel.fixture.many.permissions.with.a.rather.long.identifier");
    EXPECT_EQ(text(w, "Text5_0"), "16");
    EXPECT_EQ(text(w, "Text5_1"), "Android 4.1.x");
    EXPECT_EQ(text(w, "Text6_0"), "19");
    EXPECT_EQ(text(w, "Text6_1"), "Android 4.4.x");
    EXPECT_EQ(text(w, "Text7"), "small normal large xlarge");
    EXPECT_EQ(text(w, "Text8"), "160");
    EXPECT_EQ(text(w, "Text11"), "many-permissions.apk");
    EXPECT_FALSE(w.field("Text11")->isEnabled());
    EXPECT_EQ(text(w, "Text12"), "日程与笔记管理大师专业版 12.4.0.2031-release.apk");
    EXPECT_TRUE(w.report()->toPlainText().startsWith("package: name='org.tavrel.fixture.many"));
    EXPECT_TRUE(w.report()->isHidden());

    // One line per described permission, none for those outside the catalogue, no blank line.
    const QStringList lines = w.permissions()->toPlainText().split('\n');
    EXPECT_EQ(lines.size(), 23); // 26 requested, 3 of them unknown to the catalogue
    EXPECT_EQ(lines.first(), "访问网络");
    EXPECT_FALSE(lines.contains(QString()));
    EXPECT_FALSE(w.permissions()->toPlainText().contains("C2D"));
}

TEST_F(ApkWindow, MissingKeysReadUnKnownAndTheLevelsStayEmpty)
{
    const DetailTarget target = add("apk/label-default.apk");
    ForOuts w(nullptr, &list, &*reader, target);
    w.fill(ApkDetailsFromReport("package: name='a.b'\r\napplication-label:'Bare'\r\n"
                                "uses-permission:'android.permission.NOT_IN_THE_TABLE'\r\n",
                                target.folder + target.fileName, NameRule::defaultRule()));
    for (const char *unknown : {"Text2", "Text5_1", "Text6_1", "Text7", "Text8"})
        EXPECT_EQ(text(w, unknown), "UnKnown") << unknown;
    EXPECT_EQ(text(w, "Text5_0"), "");
    EXPECT_EQ(text(w, "Text6_0"), "");
    EXPECT_EQ(w.permissions()->toPlainText(), "");
    EXPECT_EQ(text(w, "Text12"), "Bare UnKnown.apk");
}

TEST_F(ApkWindow, PreviewFollowsTheActiveRule)
{
    const DetailTarget target = add("apk/label-zh-cn.apk");
    {
        const ActiveRuleGuard rule(NameRule::defaultRule());
        ForOuts w(nullptr, &list, &*reader, target);
        ASSERT_TRUE(loaded(w));
        EXPECT_EQ(text(w, "Text12"), "笔记 2.1.0.apk");
    }
    const ActiveRuleGuard rule("[%Version%]%Name%_%Name%");
    ForOuts w(nullptr, &list, &*reader, target);
    ASSERT_TRUE(loaded(w));
    EXPECT_EQ(text(w, "Text12"), "[2.1.0]笔记_笔记.apk");
}

TEST_F(ApkWindow, APackageTheToolCannotReadSaysWhyInItsEmptyNameField)
{
    QFile fake(folder + "fake.apk");
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("not a zip");
    fake.close();
    ForOuts w(nullptr, &list, &*reader, {folder, "fake.apk", list.append(folder, "fake.apk")});
    ASSERT_TRUE(loaded(w));
    EXPECT_EQ(text(w, "Text1"), "");
    EXPECT_EQ(text(w, "Text2"), "UnKnown");
    EXPECT_TRUE(w.field("Text1")->placeholderText().startsWith("aapt 退出码 1: "))
        << w.field("Text1")->placeholderText().toStdString();
}

TEST_F(IpaWindow, FieldsFromInfoStringsAndStoreMetadata)
{
    const ActiveRuleGuard rule(NameRule::defaultRule());
    ForOuta w(nullptr, &list, &*reader, add("ipa/store_app.ipa"));
    ASSERT_TRUE(loaded(w));
    EXPECT_EQ(w.windowTitle(), "IPA程序信息");
    const QStringList expected = {"猫和老鼠",  "1.2",          "0.00MB",        "com.example.demo",
                                  "Utilities", "iPhones,iPad", "9.0",           "Example Studio",
                                  "",          "Free",         "store_app.ipa", "猫和老鼠 1.2.ipa"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(w.field(QStringLiteral("Text%1").arg(i + 1))->text(), expected[i]) << i + 1;

    // Beige fields, the new name white; the scratch folder is cleared once loaded.
    EXPECT_EQ(w.field("Text4")->palette().color(QPalette::Base), QColor(236, 233, 216));
    EXPECT_EQ(w.field("Text11")->palette().color(QPalette::Disabled, QPalette::Base), QColor(236, 233, 216));
    EXPECT_NE(w.field("Text12")->palette().color(QPalette::Base), QColor(236, 233, 216));
    EXPECT_TRUE(w.findChild<QFrame *>("Line1"));
    EXPECT_FALSE(QFileInfo::exists(scratch.path() + "/temp"));
    EXPECT_EQ(text(w, "Text1"), "猫和老鼠");
}

TEST_F(IpaWindow, VersionRulesPriceAndMissingMetadata)
{
    const ActiveRuleGuard rule(NameRule::defaultRule());
    struct Case
    {
        const char *fixture, *version, *price, *artist;
    };
    const Case cases[] = {
        {"ipa/priced_app.ipa", "2.5.1", "¥25.00", "上海星辰互动娱乐有限公司"}, // both dotted: short
        {"ipa/caps_bundle.ipa", "45", "Free", "Example Studio"},               // neither dotted: build
        {"ipa/metadata_only.ipa", "4.0.1", "Free", "Example Studio"},          // no Info.plist: the store's
        {"ipa/unpriced_app.ipa", "1.0", "free", "Example Studio"},             // metadata without a price
        {"ipa/nested_app.ipa", "2.0", "", ""},                                 // no metadata at all
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fixture);
        ForOuta w(nullptr, &list, &*reader, add(c.fixture));
        ASSERT_TRUE(loaded(w));
        EXPECT_EQ(text(w, "Text2"), c.version);
        EXPECT_EQ(text(w, "Text10"), c.price);
        EXPECT_EQ(text(w, "Text8"), c.artist);
        EXPECT_EQ(text(w, "Text12"), text(w, "Text1") + " " + c.version + ".ipa");
    }
    ForOuta priced(nullptr, &list, &*reader, add("ipa/priced_app.ipa", "p.ipa"));
    ASSERT_TRUE(loaded(priced));
    EXPECT_EQ(text(priced, "Text1"), "星际旅行者：银河探索与贸易模拟");
    EXPECT_EQ(text(priced, "Text5"), "游戏");
    EXPECT_EQ(text(priced, "Text9"), "player@example.com");
}

TEST_F(DetailsButtons, StoreButtonsOpenTheStoreForTheFieldAsEdited)
{
    ForOuts apk(nullptr, &list, &*reader, add("apk/permissions.apk"));
    ASSERT_TRUE(loaded(apk));
    apk.show();
    apk.field("Text4")->setText("com.example.edited app&x=1");
    ForOuta paid(nullptr, &list, &*reader, add("ipa/priced_app.ipa"));
    ASSERT_TRUE(loaded(paid));
    paid.show();
    ForOuta unlisted(nullptr, &list, &*reader, add("ipa/store_app.ipa"));
    ASSERT_TRUE(loaded(unlisted));
    unlisted.show();

    const UrlOpener::ScopedFake desktop(true);
    click(apk, DetailsForm::StoreButton);
    click(paid, DetailsForm::StoreButton);
    click(unlisted, DetailsForm::StoreButton);
    ASSERT_EQ(desktop.opened().size(), 3);
    EXPECT_EQ(desktop.opened()[0].toString(QUrl::FullyEncoded),
              "https://play.google.com/store/apps/details?id=com.example.edited%20app%26x%3D1");
    EXPECT_EQ(desktop.opened()[1].toString(), "https://apps.apple.com/app/id1234567890");
    EXPECT_EQ(desktop.opened()[2].toString(), "https://apps.apple.com/search?term=com.example.demo");
}

TEST_F(DetailsButtons, AFailedOpeningShowsTheStandardErrorBox)
{
    ForOuta w(nullptr, &list, &*reader, add("ipa/store_app.ipa"));
    ASSERT_TRUE(loaded(w));
    w.show();
    const UrlOpener::ScopedFake desktop(false);
    click(w, DetailsForm::StoreButton);
    EXPECT_EQ(desktop.opened().size(), 1);
    QMessageBox *box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (box = w.findChild<QMessageBox *>()) && box->isVisible(); }));
    EXPECT_EQ(box->text(), "调用浏览器错误！");
    EXPECT_EQ(box->windowTitle(), "错误：");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->close();
}

TEST_F(DetailsButtons, AnOpenerThatStartsAndThenFailsIsReportedOneThatSucceedsIsNot)
{
    // The desktop's opener, as it ends when no browser can be found (status 3) or has opened the
    // page (0), after a moment: the window goes on meanwhile.
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ":" + path);
    struct RestorePath
    {
        QByteArray path;
        ~RestorePath() { qputenv("PATH", path); }
    } restore{path};
    const auto opener = [&](int status) {
        QFile script(bin.path() + "/xdg-open");
        ASSERT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write(QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1/asked'\nsleep 0.2\nexit %2\n")
                         .arg(bin.path())
                         .arg(status)
                         .toUtf8());
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    ForOuts w(nullptr, &list, &*reader, add("apk/permissions.apk"));
    ASSERT_TRUE(loaded(w));
    w.show();
    const auto box = [&] {
        auto *b = w.findChild<QMessageBox *>();
        return b && b->isVisible() ? b : nullptr;
    };

    opener(3);
    click(w, DetailsForm::StoreButton);
    EXPECT_FALSE(box()) << "answered before the opener ended";
    ASSERT_TRUE(QTest::qWaitFor([&] { return box() != nullptr; }, 5000));
    EXPECT_EQ(box()->text(), "调用浏览器错误！");
    EXPECT_EQ(box()->windowTitle(), "错误：");
    box()->close();

    opener(0);
    QFile::remove(bin.path() + "/asked");
    click(w, DetailsForm::StoreButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(bin.path() + "/asked"); }, 5000));
    QTest::qWait(600);
    EXPECT_FALSE(box());
    QFile asked(bin.path() + "/asked");
    ASSERT_TRUE(asked.open(QIODevice::ReadOnly));
    EXPECT_TRUE(asked.readAll().startsWith("https://play.google.com/store/apps/details?id="));
}

TEST_F(DetailsButtons, RenameRecordsTheOutcomeInTheRow)
{
    const ActiveRuleGuard rule(NameRule::defaultRule());
    const DetailTarget target = add("apk/label-zh-cn.apk", "a.apk");
    ForOuts w(nullptr, &list, &*reader, target);
    ASSERT_TRUE(loaded(w));
    w.show();
    auto cells = [&] {
        return QStringList{list.rowAt(target.position).fileName, list.rowAt(target.position).status};
    };

    // A taken name: both files stay, the row keeps its name.
    QFile taken(folder + "笔记 2.1.0.apk");
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.write("other");
    taken.close();
    click(w, DetailsForm::RenameButton);
    EXPECT_EQ(cells(), QStringList({"a.apk", "文件已存在"}));
    EXPECT_EQ(QFileInfo(folder + "笔记 2.1.0.apk").size(), 5);
    EXPECT_TRUE(QFile::exists(folder + "a.apk"));

    // Renamed under an edited name; the current name follows the file.
    w.field("Text12")->setText("笔记.apk");
    click(w, DetailsForm::RenameButton);
    EXPECT_EQ(cells(), QStringList({"笔记.apk", "修改完成"}));
    EXPECT_TRUE(QFile::exists(folder + "笔记.apk"));
    EXPECT_FALSE(QFile::exists(folder + "a.apk"));
    EXPECT_EQ(text(w, "Text11"), "笔记.apk");
    EXPECT_EQ(text(w, "Text2"), "2.1.0"); // the window stays as it was

    // The file vanished behind the window's back.
    ASSERT_TRUE(QFile::remove(folder + "笔记.apk"));
    w.field("Text12")->setText("again.apk");
    click(w, DetailsForm::RenameButton);
    EXPECT_EQ(cells(), QStringList({"笔记.apk", "无法修改"}));
    EXPECT_FALSE(QFile::exists(folder + "again.apk"));
}

TEST_F(RawWindow, ShowsTheConvertedStoreMetadataOrNothing)
{
    const DetailTarget apk = add("apk/permissions.apk");
    const auto shown = [&](const DetailTarget &target) {
        ForShow raw(nullptr, target.folder + target.fileName, &*reader);
        EXPECT_TRUE(loaded(raw));
        return raw.text()->toPlainText();
    };
    EXPECT_EQ(shown(apk), "");
    const DetailTarget bare = add("ipa/nested_app.ipa");
    EXPECT_EQ(shown(bare), "");

    const DetailTarget store = add("ipa/store_app.ipa");
    ForShow first(nullptr, store.folder + store.fileName, &*reader);
    ASSERT_TRUE(loaded(first));
    const QString xml = first.text()->toPlainText();
    EXPECT_TRUE(xml.startsWith("<?xml"));
    EXPECT_TRUE(xml.contains("\t<key>bundleDisplayName</key>\n\t<string>Store Demo</string>"));
    EXPECT_TRUE(xml.trimmed().endsWith("</plist>"));
    EXPECT_EQ(shown(store), xml);
    EXPECT_EQ(first.windowTitle(), "程序原信息");
}

TEST_F(RawWindow, InfoButtonOpensItOverTheDetailsWindow)
{
    ForOuta w(nullptr, &list, &*reader, add("ipa/priced_app.ipa"));
    ASSERT_TRUE(loaded(w));
    w.show();
    QString shown;
    QWidget *owner = nullptr;
    EXPECT_TRUE(whileModal<ForShow>([&] { click(w, DetailsForm::InfoButton); },
                                    [&](ForShow *raw) {
                                        EXPECT_TRUE(loaded(*raw));
                                        shown = raw->text()->toPlainText();
                                        owner = raw->parentWidget();
                                        EXPECT_TRUE(raw->isModal());
                                    }));
    EXPECT_TRUE(shown.contains("<string>¥25.00</string>"));
    EXPECT_EQ(owner, &w);
}

TEST_F(OpenDetails, AFileGoneSinceItWasListedIsSaidToBeGoneAndCannotBeRenamed)
{
    const ActiveRuleGuard rule(NameRule::defaultRule());
    for (const char *fixture : {"apk/label-zh.apk", "ipa/store_app.ipa"}) {
        SCOPED_TRACE(fixture);
        const DetailTarget target = add(fixture);
        ASSERT_TRUE(QFile::remove(target.folder + target.fileName));
        QString name, current, newName;
        bool newNameEnabled = true, anyButtonOffered = true, exitOffered = false;
        EXPECT_TRUE(whileModal<DetailsForm>([&] { openDetailsWindow(nullptr, &list, &*reader, target); },
                                            [&](DetailsForm *w) {
                                                name = w->field("Text1")->text();
                                                current = w->field("Text11")->text();
                                                newName = w->field("Text12")->text();
                                                newNameEnabled = w->field("Text12")->isEnabled();
                                                anyButtonOffered = false;
                                                for (int b : {1, 2, 3})
                                                    anyButtonOffered |= w->cmdButton(b)->isEnabled();
                                                exitOffered = w->cmdButton(0)->isEnabled();
                                                w->buttonClicked(DetailsForm::RenameButton);
                                            }));
        EXPECT_EQ(name, "文件已不存在");
        EXPECT_EQ(current, target.fileName);
        EXPECT_EQ(newName, "");
        EXPECT_FALSE(newNameEnabled);
        EXPECT_FALSE(anyButtonOffered);
        EXPECT_TRUE(exitOffered);
        EXPECT_EQ(list.rowAt(target.position).fileName, target.fileName);
        EXPECT_EQ(list.rowAt(target.position).status, "");
    }
}

TEST_F(OpenDetails, OpensModallyOverADisabledMainWindowAndEnablesItAgain)
{
    QWidget mainWindow;
    mainWindow.show();
    const DetailTarget ipa = add("ipa/store_app.ipa");
    const QString stray = ProgramFolder::path() + "/iTunesMetadata.plist";
    auto closings = std::vector<std::function<void(DetailsForm *)>>{
        [](DetailsForm *w) { click(*w, DetailsForm::ExitButton); },
        [](DetailsForm *w) { QTest::keyClick(w, Qt::Key_Escape); },
        [](DetailsForm *w) { w->close(); },
    };
    for (size_t i = 0; i < closings.size(); ++i) {
        SCOPED_TRACE(i);
        QFile strayFile(stray);
        ASSERT_TRUE(strayFile.open(QIODevice::WriteOnly));
        strayFile.close();
        bool mainDisabled = false, windowEnabled = false, strayGone = false;
        QString caption;
        EXPECT_TRUE(whileModal<DetailsForm>([&] { openDetailsWindow(&mainWindow, &list, &*reader, ipa); },
                                            [&](DetailsForm *w) {
                                                mainDisabled = !mainWindow.isEnabled();
                                                windowEnabled = w->isEnabled() && w->isModal();
                                                strayGone = !QFile::exists(stray);
                                                caption = w->windowTitle();
                                                closings[i](w);
                                            }));
        EXPECT_TRUE(mainDisabled);
        EXPECT_TRUE(windowEnabled);
        EXPECT_TRUE(strayGone);
        EXPECT_EQ(caption, "IPA程序信息");
        EXPECT_TRUE(mainWindow.isEnabled());
    }

    QString caption;
    EXPECT_TRUE(whileModal<DetailsForm>(
        [&] { openDetailsWindow(&mainWindow, &list, &*reader, add("apk/label-zh.apk")); },
        [&](DetailsForm *w) { caption = w->windowTitle(); }));
    EXPECT_EQ(caption, "程序信息");
    EXPECT_TRUE(mainWindow.isEnabled());

    // A name a rename gave another ending opens nothing and leaves the main window usable.
    const DetailTarget other{folder, "notes.txt", 1};
    EXPECT_FALSE(whileModal<DetailsForm>([&] { openDetailsWindow(&mainWindow, &list, &*reader, other); },
                                         [](DetailsForm *) {}));
    EXPECT_TRUE(mainWindow.isEnabled());
}

TEST_F(OpenDetails, AWindowWhoseOwnerGoesWhileItIsOpenGoesWithItOnce)
{
    // The main window goes while a details window is open over it.
    auto *mainWindow = new QWidget;
    mainWindow->show();
    const DetailTarget apk = add("apk/label-zh.apk");
    EXPECT_TRUE(ownerGoesWhileModal<DetailsForm>(
        mainWindow, [&] { openDetailsWindow(mainWindow, &list, &*reader, apk); }));

    // The details window goes while its raw metadata window is open over it.
    auto *details = new ForOuta(nullptr, &list, &*reader, add("ipa/store_app.ipa"));
    ASSERT_TRUE(loaded(*details));
    details->show();
    EXPECT_TRUE(
        ownerGoesWhileModal<ForShow>(details, [&] { details->buttonClicked(DetailsForm::InfoButton); }));

    // Closed the usual way, a details window leaves nothing behind.
    QWidget owner;
    owner.show();
    EXPECT_TRUE(whileModal<DetailsForm>([&] { openDetailsWindow(&owner, &list, &*reader, apk); },
                                        [](DetailsForm *) {}));
    EXPECT_TRUE(owner.findChildren<DetailsForm *>().isEmpty());
}
