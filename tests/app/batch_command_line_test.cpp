// Runs the real tavrel on many packages at once: folders, dry runs, a rule for one run, names
// that coincide, and awkward file names.
#include "support/program_copy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BatchCommandLineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        folder = work.path() + "/下载 it's $x; 包/";
        ASSERT_TRUE(QDir().mkpath(folder + "sub"));
        ASSERT_TRUE(QDir().mkpath(work.path() + "/config"));
    }

    void copyFixture(const QString &fixture, const QString &as)
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAVREL_FIXTURES_DIR "/") + fixture, folder + as))
            << fixture.toStdString();
    }

    struct Run
    {
        int status = -1;
        QStringList out;
        QStringList err;
    };

    Run tavrel(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", work.path() + "/config");
        for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(display);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel"), arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        Run run;
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        run.err = QString::fromLocal8Bit(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        return run;
    }

    QStringList files(const QString &sub = QString()) const
    {
        return QDir(folder + sub).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir work;
    QString folder;
};

TEST_F(BatchCommandLineTest, AFolderIsRenamedInOneRunAndASecondRunFindsEveryPackageNamed)
{
    copyFixture("apk/label-zh.apk", "a 1.apk");
    copyFixture("ipa/store_app.ipa", "b'\"$HOME;.ipa");
    copyFixture("apk/label-zh-cn.apk", "sub/c.apk");
    QFile text(folder + "notes.txt");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();

    // A dry run says what would happen and changes nothing.
    const Run dry = tavrel({"-n", folder});
    EXPECT_EQ(dry.status, 0) << dry.err.join('\n').toStdString();
    EXPECT_EQ(dry.out, QStringList({folder + "a 1.apk -> 天气 1.0.apk",
                                    folder + "b'\"$HOME;.ipa -> 猫和老鼠 1.2.ipa"}));
    EXPECT_EQ(files(), QStringList({"a 1.apk", "b'\"$HOME;.ipa", "notes.txt"}));

    // The same lines for real; the text file inside the folder and the sub-folder are passed over.
    const Run real = tavrel({"-j", "2", folder});
    EXPECT_EQ(real.status, 0);
    EXPECT_EQ(real.out, dry.out);
    EXPECT_TRUE(real.err.isEmpty()) << real.err.join('\n').toStdString();
    EXPECT_EQ(files(), QStringList({"notes.txt", "天气 1.0.apk", "猫和老鼠 1.2.ipa"}));
    EXPECT_EQ(files("sub"), QStringList({"c.apk"}));

    // With -r the sub-folder too; the packages already named count as done.
    const Run again = tavrel({"-r", folder});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out.size(), 3);
    EXPECT_TRUE(again.out.at(0).endsWith("天气 1.0.apk: 已是新名称")) << again.out.at(0).toStdString();
    EXPECT_EQ(again.out.at(2), folder + "sub/c.apk -> 笔记 2.1.0.apk");

    // -q keeps only the problems; a named text file is one.
    const Run quiet = tavrel({"-q", folder + "notes.txt", folder + "天气 1.0.apk"});
    EXPECT_EQ(quiet.status, 1);
    EXPECT_TRUE(quiet.out.isEmpty());
    ASSERT_EQ(quiet.err.size(), 1);
    EXPECT_TRUE(quiet.err.at(0).startsWith("tavrel: " + folder + "notes.txt: "))
        << quiet.err.at(0).toStdString();
}

TEST_F(BatchCommandLineTest, ARuleForOneRunIsNeverStoredAndARefusedOneChangesNothing)
{
    copyFixture("apk/label-zh.apk", "a.apk");
    copyFixture("apk/label-zh-cn.apk", "b.apk");

    for (const QStringList &arguments :
         {QStringList{"--rule", "%Name%", folder}, QStringList{"--frobnicate", folder},
          QStringList{"-j", "0", folder}}) {
        const Run refused = tavrel(arguments);
        EXPECT_EQ(refused.status, 2) << arguments.join(' ').toStdString();
        EXPECT_FALSE(refused.err.isEmpty());
    }
    EXPECT_EQ(files(), QStringList({"a.apk", "b.apk"}));

    EXPECT_EQ(tavrel({"--rule=%Version%-%Name%", folder + "a.apk", folder + "b.apk"}).status, 0);
    EXPECT_EQ(files(), QStringList({"1.0-天气.apk", "2.1.0-笔记.apk"}));
    EXPECT_FALSE(QFile::exists(work.path() + "/config/Tavrel/Tavrel.conf"));
}

TEST_F(BatchCommandLineTest, OfTwoPackagesWithTheSameNewNameTheFirstGivenGetsIt)
{
    copyFixture("apk/label-zh.apk", "z.apk");
    copyFixture("apk/label-zh.apk", "y.apk");
    const Run run = tavrel({folder + "z.apk", folder + "y.apk"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QStringList({folder + "z.apk -> 天气 1.0.apk"}));
    ASSERT_EQ(run.err.size(), 1);
    EXPECT_TRUE(run.err.at(0).contains("文件已存在")) << run.err.at(0).toStdString();
    EXPECT_EQ(files(), QStringList({"y.apk", "天气 1.0.apk"}));
}

TEST_F(BatchCommandLineTest, HelpVersionAndAnUnreadablePackage)
{
    const Run help = tavrel({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.join('\n').contains("--dry-run"));
    EXPECT_EQ(tavrel({"-V"}).status, 0);

    copyFixture("ipa/empty.ipa", "empty.ipa");
    copyFixture("apk/label-zh.apk", "a.apk");
    const Run run = tavrel({folder});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QStringList({folder + "a.apk -> 天气 1.0.apk"}));
    ASSERT_EQ(run.err.size(), 1);
    EXPECT_TRUE(run.err.at(0).startsWith("tavrel: " + folder + "empty.ipa: ")) << run.err.at(0).toStdString();
}

} // namespace
