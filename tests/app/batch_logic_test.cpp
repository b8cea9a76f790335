// The batch command line's pure parts: reading the arguments, gathering the packages, and naming
// them in order with nothing overwritten.
#include "app/batch_naming.h"
#include "app/batch_targets.h"
#include "app/command_line_options.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Mode = CommandLineOptions::Mode;

class BatchLogicTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(work.isValid()); }

    QString make(const QString &relative, const QByteArray &content = "x")
    {
        const QString path = work.path() + QLatin1Char('/') + relative;
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    QTemporaryDir work;
};

TEST_F(BatchLogicTest, TheOneFileFormsStayAsTheyWere)
{
    EXPECT_EQ(parseCommandLine({}).mode, Mode::Window);
    EXPECT_EQ(parseCommandLine({"  ", " "}).mode, Mode::Window);

    // One argument is one file, whether or not it exists and whatever its type.
    const CommandLineOptions missing = parseCommandLine({work.path() + "/gone.apk"});
    EXPECT_EQ(missing.mode, Mode::SingleFile);
    EXPECT_EQ(parseCommandLine({make("notes.txt")}).mode, Mode::SingleFile);

    // An unquoted path with blanks, split by the shell, is still the one file it names.
    const QString spaced = make("My App 1.apk");
    const CommandLineOptions joined = parseCommandLine(spaced.split(' '));
    EXPECT_EQ(joined.mode, Mode::SingleFile);
    EXPECT_EQ(joined.paths, QStringList{spaced});

    // Even when its words look like options.
    const QString dashed = make("-n x.apk");
    EXPECT_EQ(parseCommandLine({work.path() + "/-n", "x.apk"}).paths, QStringList{dashed});
}

TEST_F(BatchLogicTest, OptionsAndPathsMakeABatch)
{
    const QString a = make("a.apk"), b = make("b.ipa");
    const CommandLineOptions options =
        parseCommandLine({"-nr", "-j3", "--rule", "%Version% %Name%", "-q", a, "--", "-b.apk", b});
    ASSERT_EQ(options.mode, Mode::Batch) << options.error.toStdString();
    EXPECT_TRUE(options.dryRun);
    EXPECT_TRUE(options.recursive);
    EXPECT_TRUE(options.quiet);
    EXPECT_EQ(options.jobs, 3);
    EXPECT_EQ(options.rule, QString("%Version% %Name%"));
    EXPECT_EQ(options.paths, (QStringList{a, "-b.apk", b}));

    EXPECT_EQ(parseCommandLine({"--jobs=2", a, b}).jobs, 2);
    EXPECT_EQ(parseCommandLine({"-j", "5", a, b}).jobs, 5);
    EXPECT_EQ(parseCommandLine({a, b}).mode, Mode::Batch);
    // A folder alone is a batch of its packages, not one file.
    EXPECT_EQ(parseCommandLine({work.path()}).mode, Mode::Batch);
    EXPECT_EQ(parseCommandLine({"-h"}).mode, Mode::Help);
    EXPECT_EQ(parseCommandLine({"--version"}).mode, Mode::Version);
}

TEST_F(BatchLogicTest, UsageErrorsSayWhatWasWrong)
{
    const QString a = make("a.apk"), b = make("b.apk");
    for (const QStringList &arguments : QList<QStringList>{{"--frobnicate", a, b},
                                                           {"-x", a},
                                                           {"-j", "0", a},
                                                           {"-j", "many", a},
                                                           {"--jobs"},
                                                           {"-n"},
                                                           {"--rule", "%Name%", a, b},
                                                           {"--rule", "", a, b},
                                                           {a, b, "--rule"}}) {
        const CommandLineOptions options = parseCommandLine(arguments);
        EXPECT_EQ(options.mode, Mode::UsageError) << arguments.join(' ').toStdString();
        EXPECT_FALSE(options.error.isEmpty());
    }
}

TEST_F(BatchLogicTest, FoldersGivePackagesInNameOrderAndSubFoldersOnlyWhenAsked)
{
    make("dl/b.apk");
    make("dl/a.ipa");
    make("dl/readme.txt");
    make("dl/sub/c.xapk");
    make("dl/sub/deeper/d.apks");
    const QString named = make("other/e.apkm");
    const QString text = make("other/notes.txt");
    const QString dl = work.path() + "/dl";

    const BatchTargets flat = collectBatchTargets({dl, named, text, work.path() + "/none.apk"}, false);
    EXPECT_EQ(flat.packages, (QStringList{dl + "/a.ipa", dl + "/b.apk", named}));
    ASSERT_EQ(flat.problems.size(), 2);
    EXPECT_EQ(flat.problems[0].path, text);
    EXPECT_EQ(flat.problems[1].path, work.path() + "/none.apk");

    const BatchTargets deep = collectBatchTargets({dl, dl + "/b.apk"}, true);
    EXPECT_EQ(deep.packages,
              (QStringList{dl + "/a.ipa", dl + "/b.apk", dl + "/sub/c.xapk", dl + "/sub/deeper/d.apks"}));
    EXPECT_TRUE(deep.problems.isEmpty());
}

TEST_F(BatchLogicTest, CoincidingNamesGoToTheFirstAndNothingIsOverwritten)
{
    for (bool dryRun : {true, false}) {
        SCOPED_TRACE(dryRun ? "dry run" : "real run");
        QTemporaryDir dir;
        const QString folder = dir.path() + "/";
        for (const char *name : {"1.apk", "2.apk", "3.apk", "App 2.apk", "taken 1.apk"}) {
            QFile file(folder + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(name);
        }
        BatchNamer namer("%Name% %Version%", dryRun);
        // "App 2.apk" moves away first, so its old name is free for the next.
        EXPECT_EQ(namer.rename(folder + "App 2.apk", "App", "3").kind, BatchNamer::Outcome::Renamed);
        EXPECT_EQ(namer.rename(folder + "1.apk", "App", "2").kind, BatchNamer::Outcome::Renamed);
        const BatchNamer::Outcome second = namer.rename(folder + "2.apk", "App", "2");
        EXPECT_EQ(second.kind, BatchNamer::Outcome::NotRenamed);
        EXPECT_TRUE(second.reason.startsWith("文件已存在"));
        EXPECT_EQ(namer.rename(folder + "3.apk", "taken", "1").kind, BatchNamer::Outcome::NotRenamed);
        EXPECT_EQ(namer.rename(folder + "taken 1.apk", "taken", "1").kind, BatchNamer::Outcome::AlreadyNamed);
        EXPECT_EQ(namer.rename(folder + "3.apk", "", "1").kind, BatchNamer::Outcome::NotRenamed);
        EXPECT_EQ(namer.rename(folder + "3.apk", "a/b", "1").kind, BatchNamer::Outcome::NotRenamed);

        QFile kept(folder + "App 2.apk");
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), dryRun ? QByteArray("App 2.apk") : QByteArray("1.apk"));
        EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 5);
    }
}

} // namespace
