// The file-manager entry, end to end: written into a temporary home, read the way each file
// manager reads it, and run on copies of the fixture packages with the built tavrel.
#include "file_manager_reading.h"
#include "scoped_environment.h"

#include "platform/file_manager_entry.h"
#include "platform/thunar_actions.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace FileManagerEntry;

QString managerName(FileManager manager)
{
    static const char *names[] = {"Dolphin", "Nautilus", "Caja", "Nemo", "Thunar", "PcmanfmQt"};
    return names[int(manager)];
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

// Every file under folder with its content, to see that nothing else changed.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readAll(path));
    }
    return files;
}

// Thunar's own way of writing the file, including its unusual XML declaration.
const QByteArray kUsersUca =
    "<?xml encoding=\"UTF-8\" version=\"1.0\"?>\n"
    "<actions>\n"
    "<action>\n"
    "\t<icon>utilities-terminal</icon>\n"
    "\t<name>Open Terminal Here</name>\n"
    "\t<unique-id>1447790475093480-1</unique-id>\n"
    "\t<command>exo-open --working-directory %f --launch TerminalEmulator</command>\n"
    "\t<description>Example for a custom action</description>\n"
    "\t<patterns>*</patterns>\n"
    "\t<startup-notify/>\n"
    "\t<directories/>\n"
    "</action>\n"
    "<action>\n"
    "\t<icon></icon>\n"
    "\t<name>Checksum &amp; copy</name>\n"
    "\t<unique-id>1671861174205655-2</unique-id>\n"
    "\t<command>sha256sum %F | xclip</command>\n"
    "\t<description></description>\n"
    "\t<patterns>*</patterns>\n"
    "\t<other-files/>\n"
    "</action>\n"
    "</actions>\n";

class FileManagerEntryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        home = work.path() + "/home";
        ASSERT_TRUE(QDir().mkpath(home));
        ASSERT_TRUE(QDir().mkpath(work.path() + "/config"));
        environment.set("HOME", home);
        environment.set("XDG_DATA_HOME", home + "/.local/share");
        environment.set("XDG_CONFIG_HOME", home + "/.config");
        environment.set("XDG_CONFIG_DIRS", work.path() + "/etc-xdg");
    }

    UserFolders folders() const { return UserFolders::fromEnvironment(); }
    QString entryPath(FileManager manager) const { return entryPaths(manager, folders()).constFirst(); }
    QString ucaPath() const { return entryPath(FileManager::Thunar); }

    // Runs the command a file manager starts; tavrel gets a settings folder of its own.
    int run(const StartedCommand &command, const QString &record = QString())
    {
        if (command.argv.isEmpty())
            return -1;
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", work.path() + "/config");
        env.insert("RECORD", record);
        for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(display);
        process.setProcessEnvironment(env);
        if (!command.workingDirectory.isEmpty())
            process.setWorkingDirectory(command.workingDirectory);
        process.start(command.argv.constFirst(), command.argv.mid(1));
        EXPECT_TRUE(process.waitForFinished(120000));
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // A stand-in program at an awkward path that writes each argument it gets to $RECORD.
    QString recordingProgram(const QString &folderName)
    {
        const QString folder = work.path() + "/" + folderName;
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString path = folder + "/tavrel";
        writeAll(path, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >>\"$RECORD\"; done\n");
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
        return path;
    }

    QTemporaryDir work;
    ScopedEnvironment environment;
    QString home;
};

class EveryFileManager : public FileManagerEntryTest, public ::testing::WithParamInterface<FileManager>
{
};

TEST_P(EveryFileManager, RenamesAChosenPackageWhosePathHoldsBlanksQuotesDollarAndChinese)
{
    ASSERT_TRUE(add(TAVREL_PROGRAM_DIR "/tavrel", {GetParam()}, folders()));
    const QString folder = work.path() + "/下载 it's \"new\" $HOME; 包/";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString name = "安装包 $1 'a'  b.apk";
    ASSERT_TRUE(QFile::copy(TAVREL_FIXTURES_DIR "/apk/label-zh.apk", folder + name));

    EXPECT_EQ(run(commandFor(GetParam(), entryPath(GetParam()), folder + name)), 0);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"天气 1.0.apk"}));
}

TEST_P(EveryFileManager, TheProgramAndTheFileArriveWholeWhateverTheirPathsHold)
{
    // Nemo passes backslashes through its own expansion unreliably; the others take them.
    const bool nemo = GetParam() == FileManager::Nemo;
    const QString program = recordingProgram(nemo ? "opt dir/it's \"x\" $PATH; 100%F pct%f %% 程序"
                                                  : "opt dir/it's \"x\" $PATH; 100%f \\ `程序`");
    ASSERT_TRUE(add(program, {GetParam()}, folders()));
    const QString folder =
        work.path() + (nemo ? "/a  b/\"q\" 'x' $y; `z` 文件/" : "/a  b/\"q\" 'x' $y; `z` %f %% \\n 文件/");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString chosen = folder + "-rf *.apk";
    writeAll(chosen, "x");
    const QString record = work.path() + "/record.txt";

    EXPECT_EQ(run(commandFor(GetParam(), entryPath(GetParam()), chosen), record), 0);
    EXPECT_EQ(QString::fromUtf8(readAll(record)), chosen + "\n");
}

TEST_P(EveryFileManager, TwoChosenPackagesGoToOneRunAndAreBothRenamed)
{
    // Which arguments each run got, one line per run.
    const QString recorder = work.path() + "/bin dir/tavrel";
    ASSERT_TRUE(QDir().mkpath(work.path() + "/bin dir"));
    writeAll(recorder,
             "#!/bin/sh\nprintf '%s|' \"$@\" >>\"$RECORD\"\necho >>\"$RECORD\"\nexec '" TAVREL_PROGRAM_DIR
             "/tavrel' \"$@\"\n");
    QFile::setPermissions(recorder, QFile::permissions(recorder) | QFile::ExeOwner | QFile::ExeUser);
    ASSERT_TRUE(add(recorder, {GetParam()}, folders()));
    const QString folder = work.path() + "/下载 it's \"new\" $HOME; 包/";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(TAVREL_FIXTURES_DIR "/apk/label-zh.apk", folder + "a $1 'x'.apk"));
    ASSERT_TRUE(QFile::copy(TAVREL_FIXTURES_DIR "/ipa/store_app.ipa", folder + "b  c.ipa"));
    const QString record = work.path() + "/record.txt";

    EXPECT_EQ(run(commandFor(GetParam(), entryPath(GetParam()),
                             QStringList{folder + "a $1 'x'.apk", folder + "b  c.ipa"}),
                  record),
              0);
    EXPECT_EQ(QString::fromUtf8(readAll(record)), folder + "a $1 'x'.apk|" + folder + "b  c.ipa|\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              QStringList({"天气 1.0.apk", "猫和老鼠 1.2.ipa"}));
}

INSTANTIATE_TEST_SUITE_P(FileManagers, EveryFileManager, ::testing::ValuesIn(allFileManagers()),
                         [](const auto &info) { return managerName(info.param).toStdString(); });

TEST_F(FileManagerEntryTest, ScriptsPassTheChosenPackagesToOneRunAndSkipFolders)
{
    const QString program = recordingProgram("bin");
    ASSERT_TRUE(add(program, {FileManager::Nautilus, FileManager::Caja}, folders()));
    const QString folder = work.path() + "/chosen/";
    ASSERT_TRUE(QDir().mkpath(folder + "a folder.apk"));
    writeAll(folder + "one.apk", "1");
    writeAll(folder + "two 2.ipa", "2");
    const QString record = work.path() + "/record.txt";

    for (const FileManager manager : {FileManager::Nautilus, FileManager::Caja}) {
        QFile::remove(record);
        const QString script = entryPath(manager);
        EXPECT_TRUE(QFileInfo(script).isExecutable());
        EXPECT_EQ(run({{script, "one.apk", "a folder.apk", folder + "two 2.ipa"}, folder}, record), 0);
        EXPECT_EQ(QString::fromUtf8(readAll(record)), folder + "one.apk\n" + folder + "two 2.ipa\n");
    }
}

TEST_F(FileManagerEntryTest, AddingTwiceLeavesOneEntryAndEveryFileIsReadableByItsManager)
{
    const QString program = "/usr/bin/tavrel";
    writeAll(ucaPath(), kUsersUca);
    ASSERT_TRUE(add(program, allFileManagers(), folders()));
    const QMap<QString, QByteArray> once = snapshot(home);
    ASSERT_TRUE(add(program, allFileManagers(), folders()));
    EXPECT_EQ(snapshot(home), once);

    EXPECT_EQ(readAll(ucaPath()).count(ThunarActions::uniqueId().toUtf8()), 1);
    EXPECT_TRUE(readAll(ucaPath()).startsWith(kUsersUca.left(kUsersUca.lastIndexOf("</actions>"))));
    for (const QString &path : entryPaths(FileManager::Dolphin, folders()))
        EXPECT_TRUE(QFileInfo(path).isExecutable()) << path.toStdString();
    for (const FileManager manager : allFileManagers())
        EXPECT_EQ(commandFor(manager, entryPath(manager), "/x.apk").argv.isEmpty(), false)
            << managerName(manager).toStdString();
}

TEST_F(FileManagerEntryTest, RemovalTakesAwayExactlyWhatAddingWrote)
{
    writeAll(ucaPath(), kUsersUca);
    writeAll(home + "/.local/share/nautilus/scripts/Compress", "#!/bin/sh\nzip \"$@\"\n");
    writeAll(home + "/.local/share/nemo/actions/mine.nemo_action", "[Nemo Action]\nName=Mine\n");
    writeAll(home + "/.local/share/kio/servicemenus/other.desktop", "[Desktop Entry]\nType=Service\n");
    const QMap<QString, QByteArray> before = snapshot(home);

    ASSERT_TRUE(add("/usr/bin/tavrel", allFileManagers(), folders()));
    EXPECT_NE(snapshot(home), before);
    const Notice notice = removeEntry();
    EXPECT_EQ(notice.title, "提示");
    EXPECT_EQ(notice.text, "成功删除右键菜单项");
    EXPECT_EQ(snapshot(home), before);

    // Nothing of ours left: removing again succeeds and changes nothing.
    EXPECT_EQ(removeEntry().text, "成功删除右键菜单项");
    EXPECT_EQ(snapshot(home), before);
}

TEST_F(FileManagerEntryTest, AFileOfTheUsersWithOurNameIsNotRemoved)
{
    const QString script = home + "/.local/share/nautilus/scripts/Tavrel";
    writeAll(script, "#!/bin/sh\necho my own\n");
    EXPECT_TRUE(remove(folders()));
    EXPECT_EQ(readAll(script), "#!/bin/sh\necho my own\n");
}

TEST_F(FileManagerEntryTest, ANewThunarFileKeepsTheSystemWideActionsTheUserSawAndGoesWithOurAction)
{
    const QString system = work.path() + "/etc-xdg/Thunar/uca.xml";
    writeAll(system, kUsersUca);
    ASSERT_TRUE(add("/usr/bin/tavrel", {FileManager::Thunar}, folders()));
    EXPECT_TRUE(readAll(ucaPath()).contains("Open Terminal Here"));
    EXPECT_TRUE(ThunarActions::holdsAction(readAll(ucaPath())));
    // Pressing add again, and a change of the system's actions meanwhile, change nothing of that.
    ASSERT_TRUE(add("/usr/bin/tavrel", {FileManager::Thunar}, folders()));
    writeAll(system, QByteArray(kUsersUca).replace("Checksum", "Hash"));
    EXPECT_TRUE(remove(folders()));
    EXPECT_FALSE(QFileInfo::exists(ucaPath()));

    // Without a system-wide file, too.
    QFile::remove(system);
    ASSERT_TRUE(add("/usr/bin/tavrel", {FileManager::Thunar}, folders()));
    EXPECT_TRUE(remove(folders()));
    EXPECT_FALSE(QFileInfo::exists(ucaPath()));

    // Once the user has added an action of their own, the file is theirs: only ours goes.
    ASSERT_TRUE(add("/usr/bin/tavrel", {FileManager::Thunar}, folders()));
    QByteArray edited = readAll(ucaPath());
    edited.insert(edited.indexOf("</actions>"),
                  "<action><name>Mine</name><unique-id>7</unique-id></action>\n");
    writeAll(ucaPath(), edited);
    EXPECT_TRUE(remove(folders()));
    EXPECT_EQ(readAll(ucaPath()), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n"
                                  "<action><name>Mine</name><unique-id>7</unique-id></action>\n</actions>\n");
}

TEST_F(FileManagerEntryTest, OurThunarActionIsFoundAsXmlSoTheUsersActionsStayByteForByte)
{
    // Valid XML that a text search misreads: a close tag with a blank, and our very action quoted
    // in a comment and in a CDATA section.
    const QByteArray ours = ThunarActions::action("/usr/bin/tavrel");
    const QByteArray users = "<?xml encoding=\"UTF-8\" version=\"1.0\"?>\n"
                             "<!-- <action> in a comment, and ours: " +
                             ours +
                             " -->\n"
                             "<actions >\n"
                             "<action\t>\n\t<name>Mine &amp; yours</name>\n\t<unique-id>1-1</unique-id>\n"
                             "\t<command><![CDATA[" +
                             ours +
                             "]]></command>\n</action >\n"
                             "<!-- " +
                             QByteArray(20000, '-').replace("--", "- ") +
                             "<action> -->\n"
                             "</actions\n>\n";
    writeAll(ucaPath(), users);
    ASSERT_TRUE(add("/usr/bin/tavrel", {FileManager::Thunar}, folders()));
    ASSERT_TRUE(add("/usr/bin/tavrel", {FileManager::Thunar}, folders()));
    const QByteArray added = readAll(ucaPath());
    EXPECT_EQ(added.count(ours), 3);
    EXPECT_FALSE(commandFor(FileManager::Thunar, ucaPath(), "/x.apk").argv.isEmpty());
    EXPECT_TRUE(remove(folders()));
    EXPECT_EQ(readAll(ucaPath()), users);
}

TEST_F(FileManagerEntryTest, AThunarFileFullOfActionsInACommentIsReadInOnePass)
{
    // Many thousand opening tags and one closing tag after them: a search from each opening tag
    // to the next closing one would take hours.
    QByteArray users = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n<!-- ";
    for (int i = 0; i < 150000; ++i)
        users += "<action>";
    users += " -->\n<action><name>Mine</name><unique-id>1-1</unique-id></action>\n</actions>\n";
    writeAll(ucaPath(), users);
    ASSERT_TRUE(add("/usr/bin/tavrel", {FileManager::Thunar}, folders()));
    EXPECT_TRUE(remove(folders()));
    EXPECT_EQ(readAll(ucaPath()), users);
}

TEST_F(FileManagerEntryTest, AFifoAtOneOfOurPathsIsLeftAloneAndReportedWithoutWaiting)
{
    for (const FileManager manager : {FileManager::Thunar, FileManager::Nautilus, FileManager::Nemo}) {
        const QString path = entryPath(manager);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        bool added = true, removed = true;
        std::atomic<bool> done = false;
        std::thread attempt([&] {
            added = add("/usr/bin/tavrel", {manager}, folders());
            removed = remove(folders());
            done = true;
        });
        for (int i = 0; i < 400 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        // A reader waiting on the FIFO lets a writer open it, which lets the reader go on.
        const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
        attempt.join();
        EXPECT_LT(writer, 0) << managerName(manager).toStdString() << ": something waited on the FIFO";
        EXPECT_FALSE(added) << managerName(manager).toStdString();
        EXPECT_FALSE(removed) << managerName(manager).toStdString();
        struct stat info;
        EXPECT_TRUE(lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode));
        QFile::remove(path);
    }
}

TEST_F(FileManagerEntryTest, AThunarFileKeptElsewhereThroughALinkStaysALink)
{
    // Users who keep their settings in a repository link uca.xml there; the link must survive.
    writeAll(home + "/dotfiles/uca.xml", kUsersUca);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(ucaPath()).absolutePath()));
    ASSERT_TRUE(QFile::link(home + "/dotfiles/uca.xml", ucaPath()));
    ASSERT_TRUE(add("/usr/bin/tavrel", {FileManager::Thunar}, folders()));
    EXPECT_TRUE(QFileInfo(ucaPath()).isSymLink());
    EXPECT_TRUE(ThunarActions::holdsAction(readAll(home + "/dotfiles/uca.xml")));
    EXPECT_TRUE(remove(folders()));
    EXPECT_TRUE(QFileInfo(ucaPath()).isSymLink());
    EXPECT_EQ(readAll(home + "/dotfiles/uca.xml"), kUsersUca);
}

TEST_F(FileManagerEntryTest, AThunarFileWithoutAnActionsElementIsLeftAlone)
{
    writeAll(ucaPath(), "not xml at all");
    EXPECT_FALSE(add("/usr/bin/tavrel", {FileManager::Nautilus, FileManager::Thunar}, folders()));
    EXPECT_EQ(readAll(ucaPath()), "not xml at all");
    EXPECT_FALSE(QFileInfo::exists(entryPath(FileManager::Nautilus)));

    writeAll(ucaPath(), "<?xml version=\"1.0\"?>\n<actions/>\n");
    ASSERT_TRUE(add("/usr/bin/tavrel", {FileManager::Thunar}, folders()));
    EXPECT_FALSE(commandFor(FileManager::Thunar, ucaPath(), "/x.apk").argv.isEmpty());
}

TEST_F(FileManagerEntryTest, AnUnwritableHomeFailsAndLeavesNoHalfWrittenFile)
{
    // The data folder cannot be made: a plain file stands where it should be. (Permission bits
    // would not stop the root user the tests may run as.)
    writeAll(home + "/.local", "a file, not a folder");
    writeAll(ucaPath(), kUsersUca);
    const QMap<QString, QByteArray> before = snapshot(home);
    environment.set("PATH", work.path() + "/no-file-managers");

    const Notice notice = addEntry("/usr/bin/tavrel");
    EXPECT_EQ(notice.title, "提示");
    EXPECT_EQ(notice.text, "右键菜单写入失败");
    EXPECT_EQ(snapshot(home), before);
}

TEST_F(FileManagerEntryTest, AddingWritesForEveryFileManagerWhenNoneIsInstalled)
{
    environment.set("PATH", work.path() + "/no-file-managers");
    EXPECT_EQ(installedFileManagers(), allFileManagers());
    const Notice notice = addEntry("/usr/bin/tavrel");
    EXPECT_EQ(notice.title, "提示");
    EXPECT_EQ(notice.text, "右键菜单写入成功");
    for (const FileManager manager : allFileManagers()) {
        for (const QString &path : entryPaths(manager, folders()))
            EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
    }

    // With one file manager on PATH, only its entry is written.
    writeAll(work.path() + "/path/thunar", "#!/bin/sh\n");
    QFile::setPermissions(work.path() + "/path/thunar", QFile::ReadOwner | QFile::ExeOwner);
    environment.set("PATH", work.path() + "/path");
    EXPECT_EQ(installedFileManagers(), QList<FileManager>({FileManager::Thunar}));
}

TEST_F(FileManagerEntryTest, AnEntryThatCannotBeRemovedIsReportedAsAFailure)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the root user may delete files in a read-only folder";
    ASSERT_TRUE(add("/usr/bin/tavrel", allFileManagers(), folders()));
    const QString locked = home + "/.local/share/kio/servicemenus";
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const Notice notice = removeEntry();
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(notice.text, "右键菜单删除失败");
    EXPECT_TRUE(QFileInfo::exists(locked + "/tavrel.desktop"));
    EXPECT_FALSE(QFileInfo::exists(entryPath(FileManager::Nautilus)));
    EXPECT_FALSE(ThunarActions::holdsAction(readAll(ucaPath())));
}

TEST_F(FileManagerEntryTest, EntriesStartTheInstalledLinkRatherThanTheFolderItPointsTo)
{
    const QString prefix = work.path() + "/usr";
    writeAll(prefix + "/lib/tavrel/tavrel", "program");
    ASSERT_TRUE(QDir().mkpath(prefix + "/bin"));
    EXPECT_EQ(programForEntries(prefix + "/lib/tavrel/tavrel"), prefix + "/lib/tavrel/tavrel");
    ASSERT_TRUE(QFile::link("../lib/tavrel/tavrel", prefix + "/bin/tavrel"));
    EXPECT_EQ(programForEntries(prefix + "/lib/tavrel/tavrel"), prefix + "/bin/tavrel");

    // A build folder, or a link that points elsewhere, is used as it is.
    writeAll(work.path() + "/build/bin/tavrel", "program");
    EXPECT_EQ(programForEntries(work.path() + "/build/bin/tavrel"), work.path() + "/build/bin/tavrel");
    writeAll(work.path() + "/other/lib/tavrel/tavrel", "program");
    ASSERT_TRUE(QDir().mkpath(work.path() + "/other/bin"));
    ASSERT_TRUE(QFile::link(prefix + "/lib/tavrel/tavrel", work.path() + "/other/bin/tavrel"));
    EXPECT_EQ(programForEntries(work.path() + "/other/lib/tavrel/tavrel"),
              work.path() + "/other/lib/tavrel/tavrel");
}

} // namespace
