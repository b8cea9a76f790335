// The reading engine on many packages with the real tools, and on a tool that never ends.
#include "app/intake.h"
#include "app/row_filling.h"
#include "core/package_list.h"
#include "inspect/ordered_reading.h"
#include "inspect/package_reader.h"
#include "platform/program_folder.h"
#include "support/fake_tools.h"
#include "support/package_batch.h"
#include "support/reading.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Every cell of every row, in list order.
QList<QStringList> readBatch(const QStringList &paths, int workers)
{
    QTemporaryDir scratch;
    const ProgramFolder::ScopedOverride folders(TAVREL_PROGRAM_DIR, scratch.path());
    PackageList list;
    PackageReader reader(workers);
    Intake intake(&list, &reader);
    QSignalSpy finished(&intake, &Intake::batchFinished);
    EXPECT_TRUE(intake.addDroppedPaths(paths));
    EXPECT_TRUE(finished.wait(600000));
    QList<QStringList> rows;
    for (int p = 1; p <= list.count(); ++p) {
        QStringList cells;
        for (int c = 0; c < PackageInfo::ColumnCount; ++c)
            cells << list.rowAt(p).cell(PackageInfo::Column(c));
        rows << cells;
    }
    return rows;
}

} // namespace

TEST(ReadingEngine, TwoHundredPackagesGiveTheSameRowsWithOneWorkerAndWithFour)
{
    QTemporaryDir files;
    const QStringList paths = makePackageBatch(files.path(), 200);
    ASSERT_EQ(paths.size(), 200);
    const QList<QStringList> one = readBatch(paths, 1);
    const QList<QStringList> four = readBatch(paths, 4);
    ASSERT_EQ(one.size(), 200);
    EXPECT_EQ(one, four);
    // In the order given, numbered, and read: the first IPA copy is the store package.
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(one[i][PackageInfo::Number], QString::number(i + 1));
    EXPECT_TRUE(one.first()[PackageInfo::FileName].startsWith("001-"));
    const auto store = std::find_if(one.cbegin(), one.cend(), [](const QStringList &row) {
        return row[PackageInfo::FileName].endsWith("store_app.ipa");
    });
    ASSERT_NE(store, one.cend());
    EXPECT_EQ((*store)[PackageInfo::DisplayName], "猫和老鼠");
}

TEST(ReadingEngine, AToolThatHangsIsKilledAtTheLimitAndTheRowReadsAsUnreadable)
{
    QTemporaryDir program, files;
    ASSERT_TRUE(writeFakeTool(program.path() + "/aapt", "exec sleep 600\n"));
    const ProgramFolder::ScopedOverride folders(program.path(), program.path());
    QFile apk(files.path() + "/hangs.apk");
    ASSERT_TRUE(apk.open(QIODevice::WriteOnly));
    ASSERT_TRUE(apk.resize(1024 * 1024));
    apk.close();

    PackageReader reader(1);
    reader.setToolLimits({200, 1024 * 1024});
    const PackageReading reading = readNow(reader, ReadKind::Badging, apk.fileName());
    EXPECT_EQ(reading.failure, "aapt 超时");
    EXPECT_FALSE(reading.badging);

    PackageList list;
    const int p = list.append(files.path() + "/", "hangs.apk");
    fillRow(list, p, reading);
    EXPECT_EQ(list.rowAt(p).displayName, "");
    EXPECT_EQ(list.rowAt(p).version, "UnKnown");
    EXPECT_EQ(list.rowAt(p).minSystem, "UnKnown");
    EXPECT_EQ(list.rowAt(p).platform, "UnKnown");
    EXPECT_EQ(list.rowAt(p).sizeMB, "1.00");
}

TEST(ReadingEngine, ReadingsAreHandedOnInTheOrderGivenWhateverOrderTheyEndIn)
{
    // The first package's tool waits until the file "hold" is gone; the others do not wait.
    QTemporaryDir program, files;
    const QString hold = program.path() + "/hold";
    ASSERT_TRUE(writeFakeTool(program.path() + "/aapt",
                              "case \"$3\" in *first*) while [ -e '" + hold.toUtf8() +
                                  "' ]; do sleep 0.01; done;; esac\n"
                                  "printf \"application-label:'%s'\\r\\n\" \"$(basename \"$3\" .apk)\"\n"));
    const ProgramFolder::ScopedOverride folders(program.path(), program.path());
    QFile(hold).open(QIODevice::WriteOnly);

    PackageReader reader(3);
    OrderedReading ordered(&reader);
    QSignalSpy handedOn(&ordered, &OrderedReading::packageRead);
    QSignalSpy finished(&ordered, &OrderedReading::finished);
    QSignalSpy read(&reader, &PackageReader::packageRead);
    ordered.start({{ReadKind::Badging, files.path() + "/first.apk"},
                   {ReadKind::Badging, files.path() + "/second.apk"},
                   {ReadKind::Badging, files.path() + "/third.apk"}});
    // The later two are read, but nothing is handed on before the first.
    ASSERT_TRUE(QTest::qWaitFor([&] { return read.size() == 2; }, 30000));
    EXPECT_EQ(handedOn.size(), 0);
    ASSERT_TRUE(QFile::remove(hold));
    ASSERT_TRUE(finished.wait(30000));
    ASSERT_EQ(handedOn.size(), 3);
    const QStringList expected = {"first", "second", "third"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(handedOn.at(i).at(0).toInt(), i);
        EXPECT_EQ(handedOn.at(i).at(1).value<PackageReading>().badging.value_or(QString()),
                  "application-label:'" + expected[i] + "'\r\n");
    }
}
