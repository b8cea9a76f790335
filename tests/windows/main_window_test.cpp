#include "app/intake.h"
#include "app/main_hints.h"
#include "core/package_list.h"
#include "inspect/ipa_unpack.h"
#include "modal_answer.h"
#include "platform/program_folder.h"
#include "skin/button/jcbutton.h"
#include "skin/frame/jcforms.h"
#include "support/fake_tools.h"
#include "windows/common/file_dialog.h"
#include "windows/main/list_popup_menu.h"
#include "windows/main/main_window.h"
#include "windows/main/package_view.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The main window over a program folder whose stand-in aapt names each package after its file
// ("a.apk" is "a", version 1.0); while the file "hold" stands in the program folder it waits, so
// that a test decides when reads may end.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(program.path() + "/bin"));
        folderOverride.emplace(program.path() + "/bin", program.path() + "/bin");
        ASSERT_TRUE(writeFakeTool(program.path() + "/bin/aapt",
                                  "while [ -e '" + hold().toUtf8() + "' ]; do sleep 0.01; done\n"
                                  "printf \"package: name='x' versionCode='1' versionName='1.0'\\r\\n\"\n"
                                  "printf \"application-label:'%s'\\r\\n\" \"$(basename \"$3\" .apk)\"\n"));
        folder = files.path() + "/";
        for (const char *name : {"a.apk", "b.apk", "c.apk", "notes.txt"})
            touch(name);
        window.emplace();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*window));
    }
    void TearDown() override
    {
        window.reset();
        QFile::remove(hold());
    }
    QString hold() const { return program.path() + "/bin/hold"; }
    // Waits until the batch under way (if any) has been read whole.
    bool intakeEnds()
    {
        return QTest::qWaitFor([&] { return !window->intake()->isBusy(); }, 30000);
    }
    void touch(const QString &name)
    {
        QFile file(name.startsWith('/') ? name : folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList fileNames() const
    {
        QStringList names;
        for (int p = 1; p <= list()->count(); ++p)
            names << list()->rowAt(p).fileName;
        return names;
    }
    PackageList *list() const { return window->packageList(); }
    PackageView *view() const { return window->view(); }
    skin::jcbutton *button(const char *name) const
    {
        return window->findChild<skin::jcbutton *>(QString::fromLatin1(name));
    }
    QString label(const char *name) const
    {
        return window->findChild<QLabel *>(QString::fromLatin1(name))->text();
    }
    QPoint rowCentre(int position) const
    {
        return view()->visualRect(view()->model()->index(position - 1, 1)).center();
    }
    void click(const char *buttonName) { QTest::mouseClick(button(buttonName), Qt::LeftButton); }
    void clickRow(int position, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, mods, rowCentre(position));
    }
    void addThroughDialog(const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names)
            paths << folder + name;
        const FileDialogAnswers answers({paths});
        click("jcbutton1");
        EXPECT_TRUE(intakeEnds());
    }
    void drop(const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        const QPoint at = view()->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view()->viewport(), &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view()->viewport(), &dropped);
        // The drop only queued the intake: nothing is added before the event loop takes it up.
        QCoreApplication::sendPostedEvents(&*window, QEvent::MetaCall);
    }
    // Right-clicks the row and, once the popup is open, presses the key on it.
    QStringList popupAndPress(int position, Qt::Key key)
    {
        QStringList captions;
        QTimer::singleShot(0, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction *a : menu->actions())
                captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
            QTest::keyClick(menu, key);
        });
        const QPoint at = position > 0 ? rowCentre(position) : QPoint(40, view()->viewport()->height() - 10);
        QTest::mouseClick(view()->viewport(), Qt::RightButton, {}, at);
        return captions;
    }

    QTemporaryDir program, files;
    std::optional<ProgramFolder::ScopedOverride> folderOverride;
    QString folder;
    std::optional<MainWindow> window;
};

TEST_F(MainWindowTest, IsDressedWithEveryControlAtItsPlace)
{
    EXPECT_EQ(window->windowTitle(), "Tavrel v4.0.0112 (apk/ipa)");
    skin::jcForms *frame = window->frame();
    EXPECT_FALSE(frame->MaxButton());
    EXPECT_TRUE(frame->MinButton());
    EXPECT_EQ(frame->BorderStyle(), 0);
    EXPECT_EQ(frame->Style(), 5);
    EXPECT_TRUE(frame->popupEnabled());
    const int last = frame->menuItemCount() - 1;
    EXPECT_EQ(frame->GetMenuItemValue(last, 0).toString(), "关于(&A)");

    EXPECT_EQ(view()->geometry(), QRect(8, 37, 715, 450));
    EXPECT_EQ(view()->model()->columnCount(), 9);
    EXPECT_EQ(view()->header()->sectionSize(1), 160);
    EXPECT_TRUE(view()->isColumnHidden(8));
    EXPECT_EQ(view()->selectionMode(), QAbstractItemView::ExtendedSelection);

    const struct
    {
        const char *name, *caption;
        int top;
    } buttons[] = {{"jcbutton1", "添加文件", 600},      {"jcbutton2", "当前删除", 1250},
                   {"jcbutton5", "清空列表", 1730},     {"jcbutton6", "命名设置", 2350},
                   {"jcbutton3", "添加系统菜单", 2830}, {"jcbutton4", "删除系统菜单", 3310},
                   {"ComStart", "开始改名", 6885},      {"ComExit", "退出程序", 7320}};
    for (const auto &b : buttons) {
        ASSERT_TRUE(button(b.name)) << b.name;
        EXPECT_EQ(button(b.name)->Caption(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button(b.name)->geometry(), QRect(728, (b.top + 7) / 15, 89, 25)) << b.name;
    }
    EXPECT_EQ(label("MsLabel0"), "总数: 0");
    EXPECT_EQ(label("MsLabel2"), "提示: 双击软件列表可显示详细信息.");
    EXPECT_EQ(label("MsLabel3"), "状态: 您也可以将所要处理的文件拖放到窗体内.");
    EXPECT_EQ(label("lblLink"), "问题反馈");
    EXPECT_EQ(window->findChild<QLabel *>("Label1")->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MainWindowTest, AddsThroughTheDialogAndByDroppingOntoTheList)
{
    QFile stale(program.path() + "/bin/iTunesMetadata.plist");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    {
        const FileDialogAnswers cancelled(QList<QStringList>{QStringList()});
        click("jcbutton1");
        EXPECT_EQ(cancelled.asked(), 1);
    }
    EXPECT_EQ(list()->count(), 0);
    EXPECT_TRUE(stale.exists()); // nothing chosen, nothing read

    addThroughDialog({"notes.txt", "a.apk"});
    EXPECT_FALSE(stale.exists());
    EXPECT_EQ(fileNames(), QStringList({"notes.txt", "a.apk"}));
    EXPECT_EQ(list()->rowAt(2).displayName, "a");
    EXPECT_EQ(view()->model()->rowCount(), 2);
    EXPECT_EQ(label("MsLabel0"), "总数: 2");

    // A drop passes over folders, other types and files already listed.
    QDir().mkpath(folder + "sub.apk");
    drop({folder + "sub.apk", folder + "notes.txt", folder + "a.apk", folder + "b.apk"});
    ASSERT_TRUE(intakeEnds());
    EXPECT_EQ(fileNames(), QStringList({"notes.txt", "a.apk", "b.apk"}));
    EXPECT_EQ(label("MsLabel0"), "总数: 3");
}

TEST_F(MainWindowTest, RemovesTheSelectedRowsAndClearsOnlyWhenAnsweredYes)
{
    addThroughDialog({"a.apk", "b.apk", "c.apk"});
    clickRow(2);
    click("jcbutton2");
    EXPECT_EQ(fileNames(), QStringList({"a.apk", "c.apk"}));
    EXPECT_EQ(list()->rowAt(2).rowNumber, "3"); // never renumbered
    EXPECT_EQ(label("MsLabel0"), "总数: 2");

    clickRow(1);
    clickRow(2, Qt::ControlModifier);
    {
        ModalAnswer no(QStringLiteral("No"));
        click("jcbutton5");
        EXPECT_TRUE(no.shown());
        EXPECT_TRUE(no.text().contains("是否要清空当前列表?"));
    }
    EXPECT_EQ(list()->count(), 2);
    {
        ModalAnswer escape(QString{});
        click("jcbutton5");
        EXPECT_TRUE(escape.shown());
    }
    EXPECT_EQ(list()->count(), 2);
    {
        ModalAnswer yes(QStringLiteral("Yes"));
        click("jcbutton5");
    }
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(label("MsLabel0"), "总数: 0");
}

TEST_F(MainWindowTest, RenameRunWritesEachRowsOutcome)
{
    touch("b 1.0.apk");
    addThroughDialog({"a.apk", "b.apk", "notes.txt"});
    click("ComStart");
    EXPECT_EQ(fileNames(), QStringList({"a 1.0.apk", "b.apk", "notes.txt"}));
    EXPECT_EQ(list()->rowAt(1).status, "修改完成");
    EXPECT_EQ(list()->rowAt(2).status, "文件已存在");
    EXPECT_EQ(list()->rowAt(3).status, "无法修改");
    EXPECT_TRUE(QFile::exists(folder + "a 1.0.apk"));
    EXPECT_EQ(view()->model()->index(0, 7).data().toString(), "修改完成");
}

TEST_F(MainWindowTest, PopupEntriesRunTheirCommandsAndSelectionFollowsTheButton)
{
    EXPECT_EQ(popupAndPress(0, Qt::Key_Escape),
              QStringList({"添加文件(&P)", "-", "当前删除(&D)", "清空列表(&C)", "-", "开始改名(&S)", "-",
                           "关于软件(&A)"}));
    EXPECT_EQ(view()->selectionMode(), QAbstractItemView::SingleSelection);

    {
        const FileDialogAnswers answers({{folder + "a.apk", folder + "b.apk", folder + "c.apk"}});
        popupAndPress(0, Qt::Key_P);
    }
    ASSERT_TRUE(intakeEnds());
    EXPECT_EQ(fileNames(), QStringList({"a.apk", "b.apk", "c.apk"}));

    // The right-click takes the row under it; the entry removes it.
    popupAndPress(3, Qt::Key_D);
    EXPECT_EQ(fileNames(), QStringList({"a.apk", "b.apk"}));
    popupAndPress(1, Qt::Key_S);
    EXPECT_EQ(list()->rowAt(1).status, "修改完成");

    // Single selection until another button is pressed, which also puts the labels back.
    // (a left click would turn multiple selection back on, so the keyboard tries to extend)
    QTest::keyClick(view(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view()->selectionModel()->selectedRows().size(), 1);
    QTest::mouseMove(button("ComExit"));
    EXPECT_EQ(label("MsLabel3"), "状态栏: 退出软件.");
    clickRow(1);
    EXPECT_EQ(view()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(label("MsLabel3"), "状态: 您也可以将所要处理的文件拖放到窗体内.");
    clickRow(2, Qt::ControlModifier);
    EXPECT_EQ(view()->selectionModel()->selectedRows().size(), 2);

    {
        ModalAnswer yes(QStringLiteral("Yes"));
        popupAndPress(1, Qt::Key_C);
        EXPECT_TRUE(yes.shown());
    }
    EXPECT_EQ(list()->count(), 0);
    {
        ModalAnswer ok(QStringLiteral("OK"));
        popupAndPress(0, Qt::Key_A);
        EXPECT_TRUE(ok.shown());
    }
}

TEST_F(MainWindowTest, HintsFollowThePointerFromControlToControl)
{
    QTest::mouseMove(button("ComStart"));
    EXPECT_EQ(label("MsLabel3"), "状态栏: 开始改名.");
    QTest::mouseMove(view()->viewport(), QPoint(100, 100));
    EXPECT_EQ(label("MsLabel3"), "状态栏: 列表清单.");
    QTest::mouseMove(window->findChild<QLabel *>("Label1"));
    EXPECT_EQ(label("MsLabel3"), MainHints::statusText(MainControl::DateLink));
    QTest::mouseMove(button("jcbutton3"));
    EXPECT_EQ(label("MsLabel3"), "状态栏: 添加系统右键菜单用于修改文件名.");
}

TEST_F(MainWindowTest, DoubleClickChoosesTheFocusedSelectedRowAndKeepsTheWindowUsable)
{
    view()->doubleClickedList(); // empty list: nothing
    EXPECT_EQ(window->detailTarget().position, 0);

    addThroughDialog({"a.apk", "notes.txt"});
    clickRow(1);
    clickRow(1, Qt::ControlModifier); // focused, no longer selected
    window->openDetails();
    EXPECT_EQ(window->detailTarget().position, 0);

    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, rowCentre(2));
    EXPECT_EQ(window->detailTarget().position, 2);
    EXPECT_EQ(window->detailTarget().fileName, "notes.txt");
    EXPECT_EQ(window->detailTarget().folder, folder);
    EXPECT_TRUE(window->isEnabled());

    // An IPA row first removes store metadata another tool left in the program folder.
    touch("x.ipa");
    addThroughDialog({"x.ipa"});
    QFile stale(program.path() + "/bin/iTunesMetadata.plist");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    // The details window opens modally over the disabled main window; close it as soon as it is up.
    bool opened = false, mainDisabled = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            opened = true;
            mainDisabled = !window->isEnabled();
            modal->close();
            closer.stop();
        }
    });
    closer.start(20);
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, rowCentre(3));
    closer.stop();
    EXPECT_EQ(window->detailTarget().fileName, "x.ipa");
    EXPECT_FALSE(stale.exists());
    EXPECT_TRUE(opened);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(MainWindowTest, ExitClosesEveryOtherWindowAndTheFramesMenuShowsAbout)
{
    {
        ModalAnswer ok(QStringLiteral("OK"));
        skin::jcForms *frame = window->frame();
        frame->menuItem(frame->menuItemCount() - 1)->trigger();
        EXPECT_TRUE(ok.shown());
    }
    QWidget other;
    other.show();
    click("ComExit");
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(other.isVisible());
}

TEST_F(MainWindowTest, EveryCommandWaitsWhileAnIntakeRuns)
{
    touch("d.apk");
    touch(program.path() + "/bin/hold");
    const FileDialogAnswers answers({{folder + "d.apk"}});
    drop({folder + "a.apk", folder + "b.apk", folder + "c.apk"});
    ASSERT_TRUE(window->intake()->isBusy());
    // Rows show while the batch is read, and the status label counts.
    EXPECT_EQ(view()->model()->rowCount(), 3);
    EXPECT_EQ(label("MsLabel3"), "正在读取 0/3");
    for (const char *name : {"jcbutton1", "jcbutton2", "jcbutton5", "jcbutton6", "ComStart"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;

    view()->selectAll();
    ModalAnswer yes(QStringLiteral("Yes"));
    for (const char *name : {"jcbutton1", "jcbutton2", "jcbutton5", "jcbutton6", "ComStart"})
        click(name);
    ListPopupMenu *menu = window->popupMenu();
    for (QAction *a : {menu->openFile(), menu->removeSelected(), menu->clearList(), menu->startRename()})
        a->trigger();
    window->addFiles();
    window->removeSelected();
    window->clearList();
    window->startRename();
    window->openRuleWindow();
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, rowCentre(1));
    drop({folder + "d.apk"});

    ASSERT_TRUE(QFile::remove(hold()));
    ASSERT_TRUE(intakeEnds());
    EXPECT_FALSE(yes.shown());
    EXPECT_EQ(answers.asked(), 0);
    EXPECT_EQ(window->detailTarget().position, 0);
    EXPECT_EQ(fileNames(), QStringList({"a.apk", "b.apk", "c.apk"}));
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(list()->rowAt(p).status, "");
        EXPECT_EQ(list()->rowAt(p).displayName, QString(QChar('a' + p - 1)));
    }
    EXPECT_TRUE(button("jcbutton2")->isEnabled());
    EXPECT_TRUE(window->popupMenu()->clearList()->isEnabled());
}

} // namespace
