// The reading engine on many packages with the real tools, and on a tool that never ends.
#include "app/intake.h"
#include "app/row_filling.h"
#include "core/package_list.h"
#include "inspect/package_reader.h"
#include "platform/program_folder.h"
#include "support/fake_tools.h"
#include "support/package_batch.h"
#include "support/reading.h"

#include <QSignalSpy>
#include <QTemporaryDir>
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
