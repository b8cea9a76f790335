// Two command-line runs started at the same moment, as a file manager does when two files are
// renamed at once: they never mix up their packages. The runs use a copy of the program folder
// whose tools take a moment longer than the real ones, so that the two runs always overlap.
#include "support/program_copy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Package
{
    QString fixture;
    QString startName;
    QString renamedName;
};

const Package kApk{"apk/label-zh.apk", "one.apk", "天气 1.0.apk"};
const Package kIpa{"ipa/store_app.ipa", "two.ipa", "猫和老鼠 1.2.ipa"};

class ConcurrentRunsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        program = work.path() + "/program";
        ASSERT_TRUE(QDir().mkpath(program));
        ASSERT_TRUE(makeProgramCopy(program, {}, "0.2"));
    }

    QProcessEnvironment environment(const QString &config) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", work.path() + "/" + config);
        for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(display);
        return env;
    }

    struct Outcome
    {
        int status = -1;
        QString err;
    };

    // Starts both runs at once on fresh copies of the two packages and waits for both.
    std::pair<Outcome, Outcome> runTogether(const QString &folder, const QString &configA,
                                            const QString &configB)
    {
        QProcess a, b;
        a.setProcessEnvironment(environment(configA));
        b.setProcessEnvironment(environment(configB));
        a.start(program + "/tavrel", {folder + kApk.startName});
        b.start(program + "/tavrel", {folder + kIpa.startName});
        const auto finish = [](QProcess &process) {
            Outcome outcome;
            EXPECT_TRUE(process.waitForFinished(60000));
            outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
            outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
            return outcome;
        };
        const Outcome first = finish(a);
        return {first, finish(b)};
    }

    QString freshFolder(int round)
    {
        const QString folder = work.path() + QStringLiteral("/round%1/").arg(round);
        EXPECT_TRUE(QDir().mkpath(folder));
        for (const Package &package : {kApk, kIpa}) {
            EXPECT_TRUE(QFile::copy(QStringLiteral(TAVREL_FIXTURES_DIR "/") + package.fixture,
                                    folder + package.startName));
        }
        return folder;
    }

    static QStringList filesIn(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

    // The run's package has its own new name, or kept its name after the notice.
    static void expectRenamedOrRefused(const Outcome &outcome, const Package &package,
                                       const QStringList &files, bool mayRefuse, int round)
    {
        if (outcome.status == 0) {
            EXPECT_TRUE(files.contains(package.renamedName)) << round << " " << files.join('|').toStdString();
            EXPECT_FALSE(files.contains(package.startName)) << round;
            return;
        }
        EXPECT_TRUE(mayRefuse) << round << " " << outcome.err.toStdString();
        EXPECT_EQ(outcome.status, 1) << round;
        EXPECT_TRUE(outcome.err.contains("软件已在运行...")) << round << " " << outcome.err.toStdString();
        EXPECT_TRUE(files.contains(package.startName)) << round;
    }

    QTemporaryDir work;
    QString program;
};

} // namespace

TEST_F(ConcurrentRunsTest, WithTheSameSettingsOneRunRenamesAndTheOtherIsTurnedAway)
{
    for (int round = 0; round < 20; ++round) {
        const QString folder = freshFolder(round);
        const auto [apk, ipa] = runTogether(folder, "config", "config");
        const QStringList files = filesIn(folder);
        ASSERT_EQ(files.size(), 2) << round << " " << files.join('|').toStdString();
        // The runs overlap, so exactly one of them holds the instance.
        EXPECT_EQ(int(apk.status == 0) + int(ipa.status == 0), 1)
            << round << " " << apk.err.toStdString() << ipa.err.toStdString();
        expectRenamedOrRefused(apk, kApk, files, true, round);
        expectRenamedOrRefused(ipa, kIpa, files, true, round);
    }
}

TEST_F(ConcurrentRunsTest, WithOtherSettingsBothRunsRenameTheirOwnPackage)
{
    for (int round = 0; round < 20; ++round) {
        const QString folder = freshFolder(round);
        const auto [apk, ipa] = runTogether(folder, "config-a", "config-b");
        const QStringList files = filesIn(folder);
        EXPECT_EQ(files.join('|'), kApk.renamedName + '|' + kIpa.renamedName)
            << round << " " << apk.err.toStdString() << ipa.err.toStdString();
        expectRenamedOrRefused(apk, kApk, files, false, round);
        expectRenamedOrRefused(ipa, kIpa, files, false, round);
    }
    // Neither run left scratch files behind in the program folder they shared.
    EXPECT_EQ(filesIn(program),
              QStringList({".tavrel-scratch.lock", "7za", "aapt", "plistconvert", "tavrel"}));
}
