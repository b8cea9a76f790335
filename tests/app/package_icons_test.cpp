// Package icons for the window: read in the background by the thumbnailer, kept by path, size and
// the file's state, and nothing for a package without an icon.
#include "app/package_icons.h"
#include "inspect/package_reader.h"
#include "platform/program_folder.h"
#include "support/fake_tools.h"

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <signal.h>

namespace {

QString copyOf(const QTemporaryDir &dir, const char *fixture, const char *name)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile::copy(QStringLiteral(TAVREL_FIXTURES_DIR "/icons/") + QString::fromLatin1(fixture), path);
    return path;
}

} // namespace

TEST(PackageIcons, ReadsInTheBackgroundOnceAndAgainWhenTheFileChanges)
{
    QTemporaryDir dir;
    const QString apk = copyOf(dir, "icons-densities.apk", "a b's.apk");
    PackageIcons icons(nullptr, QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel-thumbnailer"));
    QSignalSpy ready(&icons, &PackageIcons::iconReady);

    EXPECT_TRUE(icons.icon(apk, 16).isEmpty()) << "never waits for the thumbnailer";
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_EQ(ready.takeFirst(), (QList<QVariant>{apk, 16}));
    EXPECT_EQ(QImage::fromData(icons.icon(apk, 16)).size(), QSize(16, 16));
    EXPECT_TRUE(ready.isEmpty());
    // Another size is another icon: the 48 pixel one comes from the mdpi bitmap, red.
    EXPECT_TRUE(icons.icon(apk, 48).isEmpty());
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_EQ(QImage::fromData(icons.icon(apk, 48)).pixel(24, 24), qRgb(255, 0, 0));

    // The file replaced by another package: read again.
    QFile::remove(apk);
    QFile::copy(QStringLiteral(TAVREL_FIXTURES_DIR "/icons/icons-drawable-only.apk"), apk);
    QFile file(apk);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    file.close();
    EXPECT_TRUE(icons.icon(apk, 48).isEmpty());
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_EQ(QImage::fromData(icons.icon(apk, 48)).pixel(24, 24), qRgb(255, 0, 255));
}

TEST(PackageIcons, APackageWithoutAnIconIsAskedOnceAndStaysEmpty)
{
    QTemporaryDir dir;
    const QString none = copyOf(dir, "icons-none.apk", "none.apk");
    const QString ipa = copyOf(dir, "ipa-plain.ipa", "plain.ipa");
    PackageIcons icons(nullptr, QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel-thumbnailer"));
    QSignalSpy ready(&icons, &PackageIcons::iconReady);
    EXPECT_TRUE(icons.icon(none, 16).isEmpty());
    EXPECT_TRUE(icons.icon(ipa, 16).isEmpty());
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_EQ(ready.takeFirst().constFirst().toString(), ipa);
    EXPECT_FALSE(ready.wait(500)) << "no signal for a package without an icon";
    EXPECT_TRUE(icons.icon(none, 16).isEmpty());
    EXPECT_FALSE(ready.wait(500)) << "and it is not read again";
    EXPECT_TRUE(icons.icon(dir.filePath("missing.apk"), 16).isEmpty());
}

TEST(PackageIcons, AThumbnailerThatCannotStartLeavesEveryIconEmpty)
{
    QTemporaryDir dir;
    const QString apk = copyOf(dir, "icons-densities.apk", "a.apk");
    PackageIcons icons(nullptr, dir.filePath("no-such-thumbnailer"));
    QSignalSpy ready(&icons, &PackageIcons::iconReady);
    EXPECT_TRUE(icons.icon(apk, 16).isEmpty());
    EXPECT_FALSE(ready.wait(1000));
    EXPECT_TRUE(icons.icon(apk, 16).isEmpty());
}

namespace {

// A program folder whose stand-in thumbnailer logs "PID INPUT" and, while the file "hold" stands
// in it, waits before writing a PNG; its stand-in aapt waits for "hold-aapt" the same way.
class HeldIcons : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::green);
        ASSERT_TRUE(image.save(bin("icon.png")));
        ASSERT_TRUE(writeFakeTool(bin("tavrel-thumbnailer"),
                                  "echo \"$$ $3\" >> '" + bin("log").toUtf8() + "'\n" + "while [ -e '" +
                                      bin("hold").toUtf8() + "' ]; do sleep 0.01; done\n" + "cp '" +
                                      bin("icon.png").toUtf8() + "' \"$4\"\n"));
        ASSERT_TRUE(writeFakeTool(bin("aapt"),
                                  "while [ -e '" + bin("hold-aapt").toUtf8() + "' ]; do sleep 0.01; done\n"));
        touch(bin("hold"));
        for (const char *name : {"a.apk", "b.apk", "c.apk"})
            touch(package(name));
    }
    QString bin(const char *name) const { return program.filePath(QString::fromLatin1(name)); }
    QString package(const char *name) const { return files.filePath(QString::fromLatin1(name)); }
    static void touch(const QString &path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // The runs the stand-in has begun: process id and input, in the order they were started.
    // That is the order of their process ids: two runs started together may write their lines
    // the other way round on a busy machine.
    QList<QPair<qint64, QString>> runs() const
    {
        QList<QPair<qint64, QString>> lines;
        QFile log(bin("log"));
        if (log.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : log.readAll().split('\n')) {
                const qsizetype space = line.indexOf(' ');
                if (space > 0)
                    lines.append({line.left(space).toLongLong(), QString::fromUtf8(line.mid(space + 1))});
            }
        }
        std::stable_sort(lines.begin(), lines.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        return lines;
    }
    QStringList inputs() const
    {
        QStringList paths;
        for (const auto &run : runs())
            paths << run.second;
        return paths;
    }
    static bool processGone(qint64 pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

    QTemporaryDir program, files, scratch;
};

} // namespace

TEST_F(HeldIcons, WhileHeldNothingRunsAndTheRunsUnderWayAreEndedAndReadAgainAfter)
{
    PackageIcons icons(nullptr, bin("tavrel-thumbnailer"));
    QSignalSpy ready(&icons, &PackageIcons::iconReady);
    EXPECT_TRUE(icons.icon(package("a.apk"), 16).isEmpty());
    EXPECT_EQ(icons.runningCount(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs().size() == 1; }, 20000));
    const qint64 first = runs().constFirst().first;

    icons.setHeld(true);
    EXPECT_EQ(icons.runningCount(), 0);
    EXPECT_EQ(icons.waitingCount(), 1) << "the ended run's icon waits again";
    EXPECT_TRUE(QTest::qWaitFor([&] { return processGone(first); }, 20000)) << "killed and reaped";
    EXPECT_TRUE(icons.icon(package("b.apk"), 16).isEmpty());
    EXPECT_EQ(icons.runningCount(), 0);
    EXPECT_EQ(icons.waitingCount(), 2);
    EXPECT_TRUE(icons.icon(package("b.apk"), 16).isEmpty()) << "asked twice, queued once";
    EXPECT_EQ(icons.waitingCount(), 2);

    QFile::remove(bin("hold"));
    icons.setHeld(false);
    EXPECT_EQ(icons.runningCount(), 2);
    EXPECT_EQ(icons.waitingCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready.size() == 2; }, 20000));
    EXPECT_FALSE(icons.icon(package("a.apk"), 16).isEmpty()) << "the ended run left no empty icon behind";
    EXPECT_FALSE(icons.icon(package("b.apk"), 16).isEmpty());
    EXPECT_EQ(inputs().count(package("a.apk")), 2);
    EXPECT_EQ(inputs().count(package("b.apk")), 1);
}

TEST_F(HeldIcons, NoRunStartsWhileTheReaderHasWorkAndTheIconsFollowWhenItFallsIdle)
{
    const ProgramFolder::ScopedOverride folders(program.path(), scratch.path());
    touch(bin("hold-aapt"));
    QFile::remove(bin("hold"));
    PackageReader reader(1);
    PackageIcons icons;
    icons.yieldTo(&reader);
    QSignalSpy ready(&icons, &PackageIcons::iconReady);
    QSignalSpy idle(&reader, &PackageReader::idle);
    reader.read(ReadKind::Badging, package("c.apk"));
    EXPECT_TRUE(icons.icon(package("a.apk"), 16).isEmpty());
    EXPECT_EQ(icons.runningCount(), 0);
    EXPECT_EQ(icons.waitingCount(), 1);

    QFile::remove(bin("hold-aapt"));
    ASSERT_TRUE(idle.wait(20000));
    EXPECT_EQ(icons.runningCount(), 1) << "started as the reader fell idle";
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_EQ(ready.constFirst().constFirst().toString(), package("a.apk"));
}

TEST_F(HeldIcons, AnIconNoLongerWantedWhenItsTurnComesIsPassedOverUntilAskedAgain)
{
    PackageIcons icons(nullptr, bin("tavrel-thumbnailer"));
    QSignalSpy ready(&icons, &PackageIcons::iconReady);
    QString outOfView = package("b.apk");
    icons.setWanted([&outOfView](const QString &path, int) { return path != outOfView; });
    icons.setHeld(true);
    for (const char *name : {"a.apk", "b.apk", "c.apk"})
        icons.icon(package(name), 16);
    QFile::remove(bin("hold"));
    icons.setHeld(false);
    EXPECT_EQ(icons.runningCount(), 2);
    EXPECT_EQ(icons.waitingCount(), 0) << "b dropped";
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready.size() == 2; }, 20000));
    EXPECT_EQ(inputs(), (QStringList{package("c.apk"), package("a.apk")})) << "the latest asked first";

    outOfView.clear();
    EXPECT_TRUE(icons.icon(package("b.apk"), 16).isEmpty());
    ASSERT_TRUE(ready.wait(20000));
    EXPECT_FALSE(icons.icon(package("b.apk"), 16).isEmpty());
}

TEST_F(HeldIcons, StoppingOrGoingKillsTheRunsAndNothingFollows)
{
    auto icons = std::make_unique<PackageIcons>(nullptr, bin("tavrel-thumbnailer"));
    QSignalSpy ready(icons.get(), &PackageIcons::iconReady);
    icons->icon(package("a.apk"), 16);
    icons->icon(package("b.apk"), 16);
    icons->icon(package("c.apk"), 16);
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs().size() == 2; }, 20000));
    icons->stop();
    EXPECT_EQ(icons->runningCount(), 0);
    EXPECT_EQ(icons->waitingCount(), 0);
    for (const auto &run : runs())
        EXPECT_TRUE(QTest::qWaitFor([&] { return processGone(run.first); }, 20000));

    // Going with a run under way: the run is killed by the time it has gone.
    QFile::remove(bin("log"));
    icons->icon(package("c.apk"), 16);
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs().size() == 1; }, 20000));
    const qint64 last = runs().constFirst().first;
    icons.reset();
    EXPECT_TRUE(processGone(last));
    QFile::remove(bin("hold"));
    EXPECT_TRUE(ready.isEmpty());
}
