#include "app/intake.h"
#include "app/main_hints.h"
#include "app/package_icons.h"
#include "app/program_language.h"
#include "core/package_list.h"
#include "inspect/ipa_unpack.h"
#include "modal_answer.h"
#include "platform/instance_claim.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "skin/button/jcbutton.h"
#include "skin/frame/jcforms.h"
#include "support/fake_tools.h"
#include "windows/common/file_dialog.h"
#include "windows/common/raise_listener.h"
#include "windows/main/list_popup_menu.h"
#include "windows/main/main_window.h"
#include "windows/main/package_view.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <cerrno>
#include <gtest/gtest.h>
#include <optional>
#include <signal.h>

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
        ASSERT_TRUE(
            writeFakeTool(program.path() + "/bin/aapt",
                          "while [ -e '" + hold().toUtf8() +
                              "' ]; do sleep 0.01; done\n"
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
    // The list's design widths in twips, 15 to a pixel; the name column yields to a scroll bar and
    // the last one shown fills what is left.
    const QList<int> pixels{30, 160, 120, 67, 67, 100, 100};
    for (int c = 0; c < pixels.size(); ++c) {
        if (c != PackageInfo::FileName) {
            EXPECT_EQ(view()->columnWidth(c), pixels[c]) << c;
        }
    }

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

TEST_F(MainWindowTest, FocusGoesToTheListNeverToTheNextCommand)
{
    // The add button, clicked, has the focus; the intake greys it. Qt would pass the focus on to
    // the next button ("添加系统菜单"), where one Enter writes the file-manager entries. The list
    // takes it and keeps it: Enter and Space there change nothing.
    QWidget *focusWhileBusy = nullptr;
    QObject::connect(window->intake(), &Intake::busyChanged, window->intake(), [&](bool busy) {
        if (busy)
            QTimer::singleShot(0, [&] { focusWhileBusy = window->focusWidget(); });
    });
    addThroughDialog({"a.apk", "b.apk"});
    ASSERT_EQ(list()->count(), 2);
    EXPECT_EQ(focusWhileBusy, view());
    EXPECT_EQ(window->focusWidget(), view());

    // A drop while the exit button has the focus: it keeps it, for it was never greyed.
    button("ComExit")->setFocus();
    drop({folder + "c.apk"});
    EXPECT_EQ(window->focusWidget(), button("ComExit"));
    ASSERT_TRUE(intakeEnds());
    EXPECT_EQ(window->focusWidget(), button("ComExit"));

    // The whole window disabled (a details or naming-rule window open) and enabled again: the
    // focus comes back to where it was, not to the first or next button.
    view()->setFocus();
    window->setEnabled(false);
    window->setEnabled(true);
    EXPECT_EQ(window->focusWidget(), view());
    button("jcbutton6")->setFocus();
    window->setEnabled(false);
    window->setEnabled(true);
    EXPECT_EQ(window->focusWidget(), button("jcbutton6"));
}

TEST_F(MainWindowTest, TheLastColumnStaysWholeBesideTheScrollBarAndRowsKeepOneHeight)
{
    // Latin text first, Chinese after: every row as high as the view says.
    touch("中文名.apk");
    addThroughDialog({"a.apk", "中文名.apk"});
    const auto rowHeight = [&](int position) {
        return view()->visualRect(view()->model()->index(position - 1, 2)).height();
    };
    EXPECT_EQ(rowHeight(1), view()->rowHeight());
    EXPECT_EQ(rowHeight(2), view()->rowHeight());
    EXPECT_GE(view()->rowHeight(), QFontMetrics(view()->font()).height());
    EXPECT_EQ(view()->header()->sectionSize(1), 160);

    QStringList many;
    for (int i = 0; i < 40; ++i) {
        many << QStringLiteral("p%1.apk").arg(i);
        touch(many.last());
    }
    addThroughDialog(many);
    ASSERT_TRUE(view()->verticalScrollBar()->isVisible());
    const int room = view()->viewport()->width();
    const int statusRight = view()->header()->sectionViewportPosition(7) + view()->header()->sectionSize(7);
    EXPECT_LE(statusRight, room);
    EXPECT_GE(view()->header()->sectionSize(7), 66); // its design width, 1000 twips
    EXPECT_FALSE(view()->horizontalScrollBar()->isVisible());
    EXPECT_LT(view()->header()->sectionSize(1), 160); // the file name gave up the room
    EXPECT_EQ(rowHeight(40), view()->rowHeight());

    // Back to a short list: the file name has its design width again.
    {
        ModalAnswer yes(QStringLiteral("Yes"));
        click("jcbutton5");
    }
    addThroughDialog({"a.apk"});
    EXPECT_FALSE(view()->verticalScrollBar()->isVisible());
    EXPECT_EQ(view()->header()->sectionSize(1), 160);
}

TEST(PackageViewColumns, TheYieldingColumnGivesUpWhatTheOthersExceedTheRoomBy)
{
    const QList<int> widths = {30, 160, 120, 66};
    EXPECT_EQ(yieldingColumnWidth(widths, 1, 400, 60), 160); // room enough
    EXPECT_EQ(yieldingColumnWidth(widths, 1, 376, 60), 160); // just enough
    EXPECT_EQ(yieldingColumnWidth(widths, 1, 359, 60), 143); // a scroll bar of 17
    EXPECT_EQ(yieldingColumnWidth(widths, 1, 100, 60), 60);  // never narrower than the minimum
    EXPECT_EQ(yieldingColumnWidth(widths, 0, 100, 60), 30);  // nor wider than it was
    EXPECT_EQ(yieldingColumnWidth(widths, 7, 100, 60), 0);   // no such column
}

TEST_F(MainWindowTest, OpenedFilesAreAddedAsTheDialogAddsWhatItShows)
{
    QFile stale(program.path() + "/bin/iTunesMetadata.plist");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    touch("E.APK");
    QDir().mkpath(folder + "sub.apk");
    window->openFiles({folder + "sub.apk", folder + "notes.txt", folder + "a.apk", folder + "E.APK"});
    window->openFiles({folder + "a.apk", folder + "missing.apk", folder + "b.apk"});
    QTRY_COMPARE_WITH_TIMEOUT(fileNames(), QStringList({"a.apk", "E.APK", "b.apk"}), 10000);
    ASSERT_TRUE(intakeEnds());

    // The dialog shows no folder and no other type, and shows names without regard to case; a
    // name it shows that is no package by its letters gets a row with nothing read, as chosen there.
    EXPECT_EQ(fileNames(), QStringList({"a.apk", "E.APK", "b.apk"}));
    EXPECT_EQ(list()->rowAt(1).displayName, "a");
    EXPECT_EQ(list()->rowAt(2).displayName, "");
    EXPECT_EQ(label("MsLabel0"), "总数: 3");
    EXPECT_FALSE(stale.exists());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              QStringList({"E.APK", "a.apk", "b.apk", "c.apk", "notes.txt"})); // nothing renamed
}

TEST_F(MainWindowTest, OpenedFilesWaitForARunningBatchAndForABoxOverTheWindow)
{
    // The reads wait while "hold" stands, so the batch is surely still running.
    touch(hold());
    drop({folder + "a.apk", folder + "b.apk"});
    window->openFiles({folder + "c.apk"});
    EXPECT_EQ(fileNames(), QStringList({"a.apk", "b.apk"}));
    QFile::remove(hold());
    QTRY_COMPARE_WITH_TIMEOUT(fileNames(), QStringList({"a.apk", "b.apk", "c.apk"}), 10000);
    ASSERT_TRUE(intakeEnds());

    // The question whether to clear the list is open: the file waits, and the answer is about
    // the list as it was asked about.
    int rowsWithBoxOpen = -1;
    QTimer::singleShot(100, [&] {
        window->openFiles({folder + "notes.txt", folder + "b.apk", folder + "d.apk"});
        QTest::qWait(300);
        rowsWithBoxOpen = list()->count();
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    });
    touch("d.apk");
    click("jcbutton5");
    EXPECT_EQ(rowsWithBoxOpen, 3);
    QTRY_COMPARE_WITH_TIMEOUT(fileNames(), QStringList({"a.apk", "b.apk", "c.apk", "d.apk"}), 10000);
}

TEST_F(MainWindowTest, ALaterStartHandsItsFilesToThisWindowAndEndsWithoutANotice)
{
    const QString config = files.path() + "/config";
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    const QString lock = InstanceClaim::lockPathFor(SettingsStore::filePath());
    qunsetenv("XDG_CONFIG_HOME");
    InstanceClaim claim(lock);
    ASSERT_TRUE(claim.tryClaim());
    RaiseListener listener;
    window->answerLaterStarts(&listener);
    ASSERT_TRUE(listener.listen(InstanceClaim::raiseSocketPathFor(lock)));
    addThroughDialog({"a.apk"});
    window->showMinimized();

    QProcess later;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config);
    later.setProcessEnvironment(env);
    QSignalSpy finished(&later, &QProcess::finished);
    later.start(QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel"),
                {"--open", folder + "b.apk", folder + "notes.txt", folder + "a.apk"});
    ASSERT_TRUE(finished.wait(60000));

    EXPECT_EQ(later.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(later.exitCode(), 0);
    EXPECT_EQ(later.readAllStandardError(), "");
    QTRY_COMPARE_WITH_TIMEOUT(fileNames(), QStringList({"a.apk", "b.apk"}), 10000);
    ASSERT_TRUE(intakeEnds());
    EXPECT_EQ(list()->rowAt(2).displayName, "b");
    EXPECT_FALSE(window->isMinimized());
}

} // namespace

// With the English translation in, the window words everything in English, down to the list's
// headers and the labels below it; without it, Chinese again.
TEST(MainWindowLanguage, TheEnglishTranslationWordsTheWindow)
{
    QTranslator *english = ProgramLanguage::install(ProgramLanguage::Language::English);
    ASSERT_NE(english, nullptr);
    {
        MainWindow window;
        EXPECT_EQ(window.findChild<skin::jcbutton *>("jcbutton1")->Caption(), "Add files");
        EXPECT_EQ(window.findChild<skin::jcbutton *>("ComStart")->Caption(), "Rename");
        EXPECT_EQ(window.view()->model()->headerData(1, Qt::Horizontal).toString(), "File name");
        window.refreshLabels();
        EXPECT_EQ(window.findChild<QLabel *>("MsLabel0")->text(), "Total: 0");
    }
    QCoreApplication::removeTranslator(english);
    delete english;
    MainWindow window;
    EXPECT_EQ(window.findChild<skin::jcbutton *>("jcbutton1")->Caption(), "添加文件");
}

TEST_F(MainWindowTest, IconsWaitForTheIntakeThenComeForTheRowsInViewAndGoWithTheWindow)
{
    // The stand-in thumbnailer logs "PID INPUT" and waits while "hold-icons" stands.
    const QString log = program.path() + "/bin/icon-log";
    const QString holdIcons = program.path() + "/bin/hold-icons";
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(program.path() + "/bin/icon.png"));
    ASSERT_TRUE(writeFakeTool(program.path() + "/bin/tavrel-thumbnailer",
                              "echo \"$$ $3\" >> '" + log.toUtf8() + "'\nwhile [ -e '" + holdIcons.toUtf8() +
                                  "' ]; do sleep 0.01; done\ncp '" + program.path().toUtf8() +
                                  "/bin/icon.png' \"$4\"\n"));
    const auto runs = [&log] {
        QList<QPair<qint64, QString>> lines;
        QFile file(log);
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : file.readAll().split('\n')) {
                if (line.contains(' '))
                    lines.append({line.left(line.indexOf(' ')).toLongLong(),
                                  QFileInfo(QString::fromUtf8(line.mid(line.indexOf(' ') + 1))).fileName()});
            }
        }
        return lines;
    };
    PackageIcons *icons = window->icons();

    QStringList paths;
    for (int i = 1; i <= 60; ++i) {
        touch(QStringLiteral("p%1.apk").arg(i, 2, 10, QLatin1Char('0')));
        paths << folder + QStringLiteral("p%1.apk").arg(i, 2, 10, QLatin1Char('0'));
    }
    touch(hold());
    drop(paths);
    ASSERT_TRUE(window->intake()->isBusy());
    view()->viewport()->repaint();
    EXPECT_TRUE(icons->isHeld());
    EXPECT_EQ(icons->runningCount(), 0) << "no icon is read while the rows are";
    EXPECT_GT(icons->waitingCount(), 10);
    // The user scrolls to the end before the batch is read: the rows first in view are not read.
    view()->scrollToBottom();
    view()->viewport()->repaint();
    const int firstInView = view()->indexAt(QPoint(0, 0)).row() + 1;
    ASSERT_GT(firstInView, 30);
    ASSERT_TRUE(QFile::remove(hold()));
    ASSERT_TRUE(intakeEnds());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return icons->runningCount() == 0 && icons->waitingCount() == 0; }, 30000));
    QStringList read;
    for (const auto &run : runs())
        read << run.second;
    EXPECT_GT(read.size(), 10);
    for (int p = 1; p < firstInView; ++p)
        EXPECT_FALSE(read.contains(QStringLiteral("p%1.apk").arg(p, 2, 10, QLatin1Char('0')))) << p;

    // The window goes while two icons are being read: their runs are killed with it.
    QFile::remove(log);
    touch(holdIcons);
    view()->scrollToTop();
    view()->viewport()->repaint();
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs().size() == 2; }, 30000));
    window.reset();
    for (const auto &run : runs())
        EXPECT_TRUE(::kill(static_cast<pid_t>(run.first), 0) != 0 && errno == ESRCH)
            << run.second.toStdString();
    QFile::remove(holdIcons);
}
