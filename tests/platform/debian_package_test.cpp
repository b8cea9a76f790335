// The Debian package as installed: built with cpack (or taken from $TAVREL_DEB), unpacked with
// dpkg-deb into a temporary root whose program folder is read-only, and run on fixture copies.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct Finished
{
    int status = -1;
    QString output;
};

Finished run(const QString &program, const QStringList &arguments, const QProcessEnvironment &env = {},
             const QString &folder = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!env.isEmpty())
        process.setProcessEnvironment(env);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(600000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

// Gives the unpacked tree its write permission back, so that it can be deleted.
class WritableAgain
{
public:
    explicit WritableAgain(QString folder) : m_folder(std::move(folder)) {}
    ~WritableAgain() { run("chmod", {"-R", "u+w", m_folder}); }

private:
    QString m_folder;
};

// The package is built and unpacked once for all cases.
class DebianPackageTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (QStandardPaths::findExecutable("dpkg-deb").isEmpty())
            return;
        work = new QTemporaryDir;
        deb = qEnvironmentVariable("TAVREL_DEB");
        if (deb.isEmpty()) {
            // Under the loosest umask: installed modes must not depend on it.
            const Finished built = run("sh",
                                       {"-c", "umask 000 && exec \"$0\" \"$@\"", TAVREL_CPACK, "-G", "DEB",
                                        "-B", work->path() + "/out"},
                                       {}, TAVREL_BUILD_DIR);
            const QStringList debs =
                QDir(work->path() + "/out").entryList({"tavrel_*_amd64.deb"}, QDir::Files);
            if (built.status != 0 || debs.size() != 1) {
                failure = "cpack: " + built.output;
                return;
            }
            deb = work->path() + "/out/" + debs.constFirst();
        }
        root = work->path() + "/root";
        const Finished unpacked = run("dpkg-deb", {"-x", deb, root});
        if (unpacked.status != 0)
            failure = "dpkg-deb: " + unpacked.output;
    }

    static void TearDownTestSuite()
    {
        if (work)
            run("chmod", {"-R", "u+w", work->path()});
        delete work;
        work = nullptr;
    }

    void SetUp() override
    {
        if (!work)
            GTEST_SKIP() << "dpkg-deb is not installed";
        ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    }

    static inline QTemporaryDir *work = nullptr;
    static inline QString deb;
    static inline QString root;
    static inline QString failure;
};

TEST_F(DebianPackageTest, IsNamedAfterTheVersionAndHoldsTheProgramFolderTheLinkAndTheDesktopFiles)
{
    EXPECT_TRUE(QFileInfo(deb).fileName().startsWith("tavrel_" TAVREL_VERSION "_")) << deb.toStdString();
    EXPECT_EQ(QFileInfo(root + "/usr/bin/tavrel").symLinkTarget(), root + "/usr/lib/tavrel/tavrel");
    char target[256] = {};
    EXPECT_GT(readlink(QFile::encodeName(root + "/usr/bin/tavrel").constData(), target, sizeof target - 1),
              0);
    EXPECT_STREQ(target, "../lib/tavrel/tavrel");
    EXPECT_EQ(QFileInfo(root + "/usr/bin/tavrel-thumbnailer").symLinkTarget(),
              root + "/usr/lib/tavrel/tavrel-thumbnailer");
    for (const char *tool : {"tavrel", "aapt", "7za", "plistconvert", "tavrel-thumbnailer"})
        EXPECT_TRUE(QFileInfo(root + "/usr/lib/tavrel/" + tool).isExecutable()) << tool;
    for (const char *file :
         {"applications/tavrel.desktop", "mime/packages/tavrel.xml",
          "metainfo/org.tavrel.tavrel.metainfo.xml", "icons/hicolor/scalable/apps/tavrel.svg",
          "icons/hicolor/48x48/apps/tavrel.png", "doc/tavrel/copyright", "thumbnailers/tavrel.thumbnailer",
          "man/man1/tavrel-thumbnailer.1.gz"})
        EXPECT_TRUE(QFileInfo::exists(root + "/usr/share/" + file)) << file;

    // Opening packages from the desktop shows them in the window; it never renames them.
    QFile launcher(root + "/usr/share/applications/tavrel.desktop");
    ASSERT_TRUE(launcher.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = launcher.readAll().split('\n');
    const auto exec = std::count_if(lines.begin(), lines.end(),
                                    [](const QByteArray &line) { return line.startsWith("Exec="); });
    EXPECT_EQ(exec, 1);
    EXPECT_TRUE(lines.contains("Exec=tavrel --open %F"));

    if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
        const Finished checked =
            run("desktop-file-validate", {root + "/usr/share/applications/tavrel.desktop"});
        EXPECT_EQ(checked.status, 0) << checked.output.toStdString();
        EXPECT_EQ(checked.output, "");
    }
    if (!QStandardPaths::findExecutable("appstreamcli").isEmpty()) {
        const Finished checked =
            run("appstreamcli",
                {"validate", "--no-net", root + "/usr/share/metainfo/org.tavrel.tavrel.metainfo.xml"});
        EXPECT_EQ(checked.status, 0) << checked.output.toStdString();
    }
}

TEST_F(DebianPackageTest, TheUnpackedProgramRenamesFromAReadOnlyProgramFolder)
{
    const QString programFolder = root + "/usr/lib/tavrel";
    WritableAgain writable(programFolder);
    ASSERT_EQ(run("chmod", {"-R", "a-w", programFolder}).status, 0);
    const QStringList installed =
        QDir(programFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    const QString home = work->path() + "/home";
    const QString folder = work->path() + "/它's $packages/";
    ASSERT_TRUE(QDir().mkpath(home));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(TAVREL_FIXTURES_DIR "/apk/label-zh-cn.apk", folder + "a 1.apk"));
    ASSERT_TRUE(QFile::copy(TAVREL_FIXTURES_DIR "/ipa/store_app.ipa", folder + "b.ipa"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(display);
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("XDG_CACHE_HOME", home + "/.cache");

    // Permission bits do not hold back the root user: then tavrel runs as the unprivileged user,
    // for whom the program folder really is read-only.
    QString program = root + "/usr/bin/tavrel";
    QStringList prefix;
    if (geteuid() == 0) {
        if (QStandardPaths::findExecutable("setpriv").isEmpty())
            GTEST_SKIP() << "running as root without setpriv to drop privileges";
        ASSERT_EQ(run("chown", {"-R", "65534:65534", home, folder}).status, 0);
        ASSERT_EQ(run("chmod", {"a+rx", work->path()}).status, 0);
        prefix = {"--reuid=65534", "--regid=65534", "--clear-groups", program};
        program = "setpriv";
    }
    for (const QString name : {"a 1.apk", "b.ipa"}) {
        const Finished renamed = run(program, prefix + QStringList{folder + name}, env);
        EXPECT_EQ(renamed.status, 0) << name.toStdString() << ": " << renamed.output.toStdString();
    }

    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              QStringList({"猫和老鼠 1.2.ipa", "笔记 2.1.0.apk"}));
    // The installed thumbnailer, run as a file manager runs it.
    const Finished thumbnail =
        run(root + "/usr/bin/tavrel-thumbnailer",
            {"-s", "64", TAVREL_FIXTURES_DIR "/icons/icons-densities.apk", home + "/t.png"}, env);
    EXPECT_EQ(thumbnail.status, 0) << thumbnail.output.toStdString();
    EXPECT_TRUE(QFileInfo(home + "/t.png").size() > 0);
    EXPECT_EQ(QDir(programFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              installed);
    EXPECT_TRUE(QFileInfo(home + "/.cache/tavrel").isDir());
}

TEST_F(DebianPackageTest, ModesAreFixedWhateverTheUmaskTheDebWasMadeUnder)
{
    const Finished listed = run("dpkg-deb", {"-c", deb});
    ASSERT_EQ(listed.status, 0) << listed.output.toStdString();
    const QStringList programs = {"./usr/lib/tavrel/tavrel", "./usr/lib/tavrel/aapt", "./usr/lib/tavrel/7za",
                                  "./usr/lib/tavrel/plistconvert", "./usr/lib/tavrel/tavrel-thumbnailer"};
    int checked = 0;
    for (const QString &line : listed.output.split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.simplified().split(' ');
        ASSERT_GE(fields.size(), 6) << line.toStdString();
        const QString mode = fields.at(0), path = fields.at(5);
        EXPECT_EQ(fields.at(1), "root/root") << line.toStdString();
        if (mode.startsWith('l'))
            continue;
        const QString expected = mode.startsWith('d')      ? "drwxr-xr-x"
                                 : programs.contains(path) ? "-rwxr-xr-x"
                                                           : "-rw-r--r--";
        EXPECT_EQ(mode, expected) << path.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST_F(DebianPackageTest, ProgramsLinkTheSystemZlibAreHardenedAndNeedNoMaintainerScripts)
{
    for (const char *name :
         {"tavrel", "aapt", "7za", "plistconvert", "tavrel-thumbnailer", "libtavrel_window.so"}) {
        const QString file = root + "/usr/lib/tavrel/" + name;
        ASSERT_TRUE(QFileInfo::exists(file)) << name;
        const Finished dynamic = run("readelf", {"-d", "-l", "-W", "--dyn-syms", file});
        ASSERT_EQ(dynamic.status, 0) << dynamic.output.toStdString();
        EXPECT_TRUE(dynamic.output.contains("BIND_NOW") ||
                    dynamic.output.contains(QRegularExpression("FLAGS.*NOW")))
            << name;
        EXPECT_TRUE(dynamic.output.contains("GNU_RELRO")) << name;
        EXPECT_TRUE(dynamic.output.contains("__stack_chk_fail")) << name;
    }
    const Finished aapt = run("readelf", {"-d", root + "/usr/lib/tavrel/aapt"});
    EXPECT_TRUE(aapt.output.contains("Shared library: [libz.so.1]")) << aapt.output.toStdString();
    const Finished symbols = run("nm", {"--defined-only", TAVREL_BUILD_DIR "/bin/aapt"});
    EXPECT_FALSE(symbols.output.contains(" inflateInit2_")) << "a copy of zlib is linked in";

    const Finished info = run("dpkg-deb", {"-I", deb});
    EXPECT_FALSE(info.output.contains("postinst")) << info.output.toStdString();
    EXPECT_FALSE(info.output.contains("postrm")) << info.output.toStdString();
    EXPECT_TRUE(info.output.contains("libz")) << info.output.toStdString(); // found by dpkg-shlibdeps
    // Loaded by the thumbnailer when an icon needs them, so named by hand.
    for (const char *library : {"libpng16-16", "libwebp7", "libjpeg62-turbo"})
        EXPECT_TRUE(info.output.contains(QLatin1String(library))) << library;
}

TEST_F(DebianPackageTest, LintianFindsNoErrorAndNoWarning)
{
    if (QStandardPaths::findExecutable("lintian").isEmpty())
        GTEST_SKIP() << "lintian is not installed";
    const Finished checked = run("lintian", {"--tag-display-limit", "0", deb});
    for (const QString &line : checked.output.split('\n', Qt::SkipEmptyParts))
        EXPECT_FALSE(line.startsWith("E:") || line.startsWith("W:")) << line.toStdString();
}

} // namespace
