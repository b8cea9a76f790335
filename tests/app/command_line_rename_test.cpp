// Runs the real tavrel on copies of the fixture packages, as a user or a file manager would.
#include "platform/instance_claim.h"
#include "platform/settings_store.h"
#include "platform/window_request.h"
#include "support/program_copy.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class CommandLineRenameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        folder = work.path() + "/packages/";
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QDir().mkpath(work.path() + "/config"));
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", work.path() + "/config");
        for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(display);
        return env;
    }

    void copyFixture(const QString &fixture, const QString &as)
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAVREL_FIXTURES_DIR "/") + fixture, folder + as))
            << fixture.toStdString();
    }

    // Runs tavrel with the arguments; returns the exit status, stderr in *err. This thread's
    // events are handled meanwhile, so that a stand-in window here can answer it.
    int tavrel(const QStringList &arguments, QString *err = nullptr, const QProcessEnvironment &env = {})
    {
        QProcess process;
        process.setProcessEnvironment(env.isEmpty() ? environment() : env);
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel"), arguments);
        EXPECT_TRUE(finished.wait(60000));
        if (err)
            *err = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // The claim of an instance run with the settings the runs here get.
    QString lockPath() const
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.path() + "/config"));
        const QString lock = InstanceClaim::lockPathFor(SettingsStore::filePath());
        qunsetenv("XDG_CONFIG_HOME");
        return lock;
    }
    QString socketPath() const { return InstanceClaim::raiseSocketPathFor(lockPath()); }

    // Starts a window instance and waits until it listens. (A probing tavrel, or a probe of the
    // claim, would hold the instance for a moment and could turn the window away.)
    bool startWindow(QProcess &window, const QStringList &arguments)
    {
        QProcessEnvironment env = environment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        window.setProcessEnvironment(env);
        window.start(QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel"), arguments);
        if (!window.waitForStarted())
            return false;
        for (int attempt = 0; attempt < 600; ++attempt) {
            QLocalSocket socket;
            socket.connectToServer(socketPath());
            if (socket.waitForConnected(100))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    QStringList files() const
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    QByteArray content(const QString &name) const
    {
        QFile file(folder + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir work;
    QString folder;
};

TEST_F(CommandLineRenameTest, RenamesApkAndIpaByTheDefaultRule)
{
    copyFixture("apk/label-zh-cn.apk", "a8f3c2.apk");
    copyFixture("ipa/store_app.ipa", "b7.ipa");
    EXPECT_EQ(tavrel({folder + "a8f3c2.apk"}), 0);
    EXPECT_EQ(tavrel({folder + "b7.ipa"}), 0);
    EXPECT_EQ(files(), QStringList({"猫和老鼠 1.2.ipa", "笔记 2.1.0.apk"}));
    // Nothing of the unpacking is left in the program folder.
    EXPECT_FALSE(QDir(TAVREL_PROGRAM_DIR "/temp").exists());
    EXPECT_FALSE(QFile::exists(TAVREL_PROGRAM_DIR "/tempinfor.txt"));
}

TEST_F(CommandLineRenameTest, AnExistingTargetIsLeftAloneAndThePackageKeepsItsName)
{
    copyFixture("apk/label-zh-cn.apk", "x.apk");
    QFile taken(folder + "笔记 2.1.0.apk");
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.write("someone else's file");
    taken.close();

    QString err;
    EXPECT_EQ(tavrel({folder + "x.apk"}, &err), 1);
    EXPECT_TRUE(err.contains("笔记 2.1.0.apk")) << err.toStdString();
    EXPECT_EQ(files(), QStringList({"x.apk", "笔记 2.1.0.apk"}));
    EXPECT_EQ(content("笔记 2.1.0.apk"), "someone else's file");
}

TEST_F(CommandLineRenameTest, TheStoredNamingRuleIsUsed)
{
    QDir().mkpath(work.path() + "/config/Tavrel");
    QFile ini(work.path() + "/config/Tavrel/Tavrel.conf");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[SetINI]\nNameRule=%Name%_v%Version%\n");
    ini.close();
    copyFixture("apk/label-zh.apk", "w.apk");
    EXPECT_EQ(tavrel({folder + "w.apk"}), 0);
    EXPECT_EQ(files(), QStringList({"天气_v1.0.apk"}));
}

TEST_F(CommandLineRenameTest, BundlesAreRenamedAndKeepTheirOwnExtension)
{
    // A stand-in badging reader: the bundles here are not real ones.
    const QString program = work.path() + "/program";
    ASSERT_TRUE(QDir().mkpath(program));
    ASSERT_TRUE(makeProgramCopy(
        program,
        {{"aapt",
          "printf \"package: name='a' versionName='3.1'\\r\\napplication-label:'Bundle'\\r\\n\"\n"}}));
    for (const QString name : {"a.xapk", "b.apks", "c.apkm", "d.APKS"}) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name.toUtf8());
        file.close();
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(program + "/tavrel", {folder + name});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), name == "d.APKS" ? 1 : 0) << name.toStdString();
    }
    EXPECT_EQ(files(), QStringList({"Bundle 3.1.apkm", "Bundle 3.1.apks", "Bundle 3.1.xapk", "d.APKS"}));
    EXPECT_EQ(content("Bundle 3.1.apks"), "b.apks");
}

TEST_F(CommandLineRenameTest, ArgumentsJoinIntoOnePathWithBlanks)
{
    copyFixture("apk/label-zh.apk", "my app.apk");
    EXPECT_EQ(tavrel({folder + "my", "app.apk"}), 0);
    EXPECT_EQ(files(), QStringList({"天气 1.0.apk"}));
}

TEST_F(CommandLineRenameTest, OtherFilesAndUnreadablePackagesAreNeverRenamed)
{
    copyFixture("ipa/empty.ipa", "empty.ipa");
    copyFixture("ipa/not_a_zip.ipa", "broken.ipa");
    copyFixture("apk/label-path-chars.apk", "path.apk"); // label "../播放器"
    QFile text(folder + "notes.txt");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();
    QFile fakeApk(folder + "fake.apk");
    ASSERT_TRUE(fakeApk.open(QIODevice::WriteOnly));
    fakeApk.write("not a zip");
    fakeApk.close();

    for (const QString name : {"empty.ipa", "broken.ipa", "path.apk", "notes.txt", "fake.apk"}) {
        QString err;
        EXPECT_EQ(tavrel({folder + name}, &err), 1) << name.toStdString();
        EXPECT_FALSE(err.trimmed().isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(tavrel({folder + "missing.apk"}), 1);
    EXPECT_EQ(files(), QStringList({"broken.ipa", "empty.ipa", "fake.apk", "notes.txt", "path.apk"}));
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files), QStringList());
}

TEST_F(CommandLineRenameTest, ASecondInstanceDoesNotRename)
{
    copyFixture("apk/label-zh.apk", "second.apk");
    QProcess window;
    ASSERT_TRUE(startWindow(window, {}));
    QString err;
    const int status = tavrel({folder + "second.apk"}, &err);
    window.kill();
    window.waitForFinished();
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(err.contains("软件已在运行...")) << err.toStdString();
    EXPECT_EQ(files(), QStringList({"second.apk"}));
}

} // namespace

namespace {

// Holds the claim and listens as a window does; answers open requests when told to.
class StandInWindow
{
public:
    StandInWindow(const QString &lock, const QString &socket, bool answers) : m_claim(lock)
    {
        EXPECT_TRUE(m_claim.tryClaim());
        QLocalServer::removeServer(socket);
        EXPECT_TRUE(m_server.listen(socket));
        QObject::connect(&m_server, &QLocalServer::newConnection, [this, answers] {
            QLocalSocket *peer = m_server.nextPendingConnection();
            QObject::connect(peer, &QLocalSocket::readyRead, [this, peer, answers] {
                m_received += peer->readAll();
                const WindowRequest::Parsed request = WindowRequest::parse(m_received);
                if (request.kind == WindowRequest::Parsed::Open) {
                    m_paths = request.paths;
                    if (answers)
                        peer->write(WindowRequest::answer());
                }
            });
        });
    }
    QStringList paths() const { return m_paths; }

private:
    InstanceClaim m_claim;
    QLocalServer m_server;
    QByteArray m_received;
    QStringList m_paths;
};

TEST_F(CommandLineRenameTest, TheCommandLineLoadsNoWindowLibrariesAlsoWhenItHandsFilesToAWindow)
{
    copyFixture("apk/label-zh.apk", "loads.apk");
    QFile text(folder + "notes.txt");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();
    QProcessEnvironment env = environment();
    env.insert("LD_DEBUG", "libs");
    // A display being there must not draw the window libraries in either.
    env.insert("DISPLAY", ":98");
    const auto run = [&](const QStringList &arguments) {
        QString loaded;
        const int status = tavrel(arguments, &loaded, env);
        EXPECT_TRUE(loaded.contains("libQt6Core")) << "LD_DEBUG gave no library list";
        for (const char *library : {"libQt6Gui", "libQt6Widgets", "libQt6Network", "libtavrel_window"})
            EXPECT_FALSE(loaded.contains(library))
                << library << " loaded for " << arguments.join(' ').toStdString();
        EXPECT_FALSE(loaded.contains("软件已在运行..."));
        return status;
    };
    EXPECT_EQ(run({folder + "notes.txt"}), 1);
    EXPECT_EQ(run({folder + "loads.apk"}), 0);
    EXPECT_EQ(files(), QStringList({"notes.txt", "天气 1.0.apk"}));

    // The window sorts out what it lists; the files are passed on as named, and kept as named.
    StandInWindow window(lockPath(), socketPath(), true);
    EXPECT_EQ(run({"--open", folder + "天气 1.0.apk", folder + "notes.txt"}), 0);
    EXPECT_EQ(window.paths(), QStringList({folder + "天气 1.0.apk", folder + "notes.txt"}));
    EXPECT_EQ(files(), QStringList({"notes.txt", "天气 1.0.apk"}));
}

TEST_F(CommandLineRenameTest, AWindowThatDoesNotTakeOpenedFilesInTimeGetsTheNotice)
{
    copyFixture("apk/label-zh.apk", "a.apk");
    StandInWindow window(lockPath(), socketPath(), false);
    QString err;
    EXPECT_EQ(tavrel({"--open", folder + "a.apk"}, &err), 1);
    EXPECT_TRUE(err.contains("软件已在运行...")) << err.toStdString();
    EXPECT_EQ(window.paths(), QStringList({folder + "a.apk"})); // it was asked, and did not answer
    EXPECT_EQ(files(), QStringList({"a.apk"}));
}

TEST_F(CommandLineRenameTest, AWindowOpenedWithFilesTakesLaterOnesAndARenameIsStillTurnedAway)
{
    copyFixture("apk/label-zh.apk", "a.apk");
    copyFixture("ipa/store_app.ipa", "b.ipa");
    QProcess window;
    ASSERT_TRUE(startWindow(window, {"--open", folder + "a.apk"}));
    QString handedErr, renameErr;
    const int handed = tavrel({"--open", folder + "b.ipa"}, &handedErr);
    const int rename = tavrel({folder + "b.ipa"}, &renameErr);
    const bool stillRunning = window.state() == QProcess::Running;
    window.kill();
    window.waitForFinished();

    EXPECT_TRUE(stillRunning);
    EXPECT_EQ(handed, 0) << handedErr.toStdString();
    EXPECT_EQ(handedErr, "");
    // A path alone is still the command-line rename, and it is still turned away.
    EXPECT_EQ(rename, 1);
    EXPECT_TRUE(renameErr.contains("软件已在运行...")) << renameErr.toStdString();
    EXPECT_EQ(files(), QStringList({"a.apk", "b.ipa"}));
}

// File names are bytes, and not always UTF-8: a package named on another system, or a program
// folder so named.
class NonUtf8NamesTest : public CommandLineRenameTest
{
protected:
    static bool copyBytes(const QString &from, const QByteArray &to, mode_t mode)
    {
        QFile source(from);
        if (!source.open(QIODevice::ReadOnly))
            return false;
        const QByteArray content = source.readAll();
        const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0)
            return false;
        const bool written = ::write(fd, content.constData(), size_t(content.size())) == content.size();
        ::close(fd);
        return written;
    }

    // Runs program with one argument, both given as bytes.
    int runBytes(const QByteArray &program, const QByteArray &argument)
    {
        QList<QByteArray> env;
        for (const QString &entry : environment().toStringList())
            env << entry.toUtf8();
        std::vector<char *> envp;
        for (QByteArray &entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        QByteArray programCopy = program, argumentCopy = argument;
        char *argv[] = {programCopy.data(), argumentCopy.data(), nullptr};
        pid_t child = -1;
        if (posix_spawn(&child, program.constData(), nullptr, nullptr, argv, envp.data()) != 0)
            return -2;
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static QList<QByteArray> namesIn(const QByteArray &folder)
    {
        QList<QByteArray> names;
        DIR *dir = opendir(folder.constData());
        while (dir) {
            const dirent *entry = readdir(dir);
            if (!entry)
                break;
            if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
                names << entry->d_name;
        }
        if (dir)
            closedir(dir);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(NonUtf8NamesTest, APackageWhoseNameIsNotUtf8IsRenamedInItsFolder)
{
    const QByteArray odd = QFile::encodeName(work.path()) + "/\xff\xfe pk\xe9/";
    ASSERT_EQ(::mkdir(odd.constData(), 0755), 0);
    ASSERT_TRUE(copyBytes(TAVREL_FIXTURES_DIR "/apk/label-zh-cn.apk", odd + "\xe9t\xe9.apk", 0644));
    ASSERT_TRUE(copyBytes(TAVREL_FIXTURES_DIR "/ipa/store_app.ipa", odd + "caf\xe9.ipa", 0644));
    EXPECT_EQ(runBytes(TAVREL_PROGRAM_DIR "/tavrel", odd + "\xe9t\xe9.apk"), 0);
    EXPECT_EQ(runBytes(TAVREL_PROGRAM_DIR "/tavrel", odd + "caf\xe9.ipa"), 0);
    EXPECT_EQ(namesIn(odd), QList<QByteArray>({"猫和老鼠 1.2.ipa", "笔记 2.1.0.apk"}));
}

TEST_F(NonUtf8NamesTest, AProgramFolderWhoseNameIsNotUtf8FindsItsTools)
{
    const QByteArray programFolder = QFile::encodeName(work.path()) + "/\xff\xfe 程序";
    ASSERT_EQ(::mkdir(programFolder.constData(), 0755), 0);
    for (const char *name : {"tavrel", "aapt", "7za", "plistconvert"})
        ASSERT_TRUE(
            copyBytes(QStringLiteral(TAVREL_PROGRAM_DIR "/") + name, programFolder + "/" + name, 0755));
    copyFixture("apk/label-zh-cn.apk", "a.apk");
    copyFixture("ipa/store_app.ipa", "b.ipa");
    EXPECT_EQ(runBytes(programFolder + "/tavrel", QFile::encodeName(folder + "a.apk")), 0);
    EXPECT_EQ(runBytes(programFolder + "/tavrel", QFile::encodeName(folder + "b.ipa")), 0);
    EXPECT_EQ(files(), QStringList({"猫和老鼠 1.2.ipa", "笔记 2.1.0.apk"}));
}

} // namespace
