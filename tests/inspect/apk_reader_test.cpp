#include "app/command_line_rename.h"
#include "app/row_filling.h"
#include "core/package_list.h"
#include "inspect/apk_reader.h"
#include "platform/program_folder.h"
#include "support/reading.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ApkReader, LabelPreferenceZhCnThenZhThenDefaultThenApplicationLine)
{
    const QString all = "application-label:'Default'\r\napplication-label-zh:'中'\r\n"
                        "application-label-zh_CN:'简体'\r\napplication: label='Line' icon='x'\r\n";
    EXPECT_EQ(PickLabel(all), "简体");
    EXPECT_EQ(PickLabel("application-label:'Default'\napplication-label-zh:'中'\n"), "中");
    EXPECT_EQ(PickLabel("application-label-zh_TW:'繁體'\napplication-label:'Default'\n"), "Default");
    EXPECT_EQ(PickLabel("application: label='Line' icon='x'\n"), "Line");
    EXPECT_EQ(PickLabel("application-label:''\n"), "");
    EXPECT_EQ(PickLabel("错误: 53 - 文件未找到"), "");
    EXPECT_EQ(PickLabel("application-label:'no closing quote"), "");
}

TEST(ApkReader, LabelsHoldingQuotesAreTakenWhole)
{
    // The report leaves a quote inside a label unescaped; the label is not cut there.
    EXPECT_EQ(PickLabel("application-label:'Tom's App'\r\nversionName='1'\r\n"), "Tom's App");
    EXPECT_EQ(PickLabel("application: label='Tom's' icon='res/a.png'\r\n"), "Tom's");
    EXPECT_EQ(PickLabel("application: label='It's' icon=''"), "It's");
}

TEST(ApkReader, QuotedValueIsExactAndCaseSensitive)
{
    const QString text = "targetSdkVersion:'19'\nversionName='1.0'";
    EXPECT_FALSE(QuotedValueAfter(text, "sdkVersion:'"));
    EXPECT_EQ(QuotedValueAfter(text, "targetSdkVersion:'"), "19");
    EXPECT_EQ(QuotedValueAfter(text, "versionName='"), "1.0");
    EXPECT_FALSE(QuotedValueAfter(text, "VersionName='"));
}

TEST(ApkReader, CleanLabelDropsQuestionMarksAndWhatGbkCannotHold)
{
    EXPECT_EQ(CleanLabel("What?Now?"), "WhatNow");
    EXPECT_EQ(CleanLabel(QStringLiteral("微信😀한")), QStringLiteral("微信"));
    EXPECT_EQ(CleanLabel(QStringLiteral("问答？")), QStringLiteral("问答？")); // the full-width mark is GBK
}

TEST(ApkReader, ApiLevelNames)
{
    EXPECT_EQ(ApiLevelName(1), "Android 1.0");
    EXPECT_EQ(ApiLevelName(9), "Android 2.3/2.3.1/2.3.2");
    EXPECT_EQ(ApiLevelName(19), "Android 4.4.x");
    EXPECT_EQ(ApiLevelName(20), "Android 4.5.x");
    for (qint16 level : {0, -1, 21, 34, 32767})
        EXPECT_EQ(ApiLevelName(level), "UnKown") << level;
}

TEST(ApkReader, SizeInMegabytesRoundsHalfAwayFromZeroWithoutFloatingPoint)
{
    EXPECT_EQ(FormatSizeMB(0), "0.00");
    EXPECT_EQ(FormatSizeMB(128 * 1024), "0.13");
    EXPECT_EQ(FormatSizeMB(1024 * 1024), "1.00");
    EXPECT_EQ(FormatSizeMB(3 * 1024 * 1024 + 512 * 1024), "3.50");
    EXPECT_EQ(FormatSizeMB(qint64(3) << 30), "3072.00");
    EXPECT_EQ(FormatSizeMB((qint64(5) << 30) + 1), "5120.00"); // beyond 32 bits
    EXPECT_EQ(FormatSizeMB(1024 * 1024 - 1), "1.00");          // 0.999999 rounds up to the next MiB
    EXPECT_EQ(FormatSizeMB(5242), "0.00");                     // just under half a hundredth
    EXPECT_EQ(FormatSizeMB(5243), "0.01");
}

namespace {
// A list row filled from a badging report (as the reader hands it over) of a 128 KiB package.
class FillApkRowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile file(dir.path() + "/p.apk");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.resize(128 * 1024);
    }
    PackageInfo fillWith(const std::optional<QString> &report)
    {
        PackageList list;
        const int p = list.append(dir.path() + "/", "p.apk");
        PackageReading reading;
        reading.path = dir.path() + "/p.apk";
        reading.badging = report;
        fillRow(list, p, reading);
        return list.rowAt(p);
    }
    QTemporaryDir dir;
};
} // namespace

TEST_F(FillApkRowTest, FillsEveryFieldFromTheReport)
{
    const PackageInfo row = fillWith("package: name='com.x' versionCode='3' versionName='8.0.1'\r\n"
                                     "sdkVersion:'9'\r\ntargetSdkVersion:'19'\r\n"
                                     "application-label:'WeChat'\r\napplication-label-zh_CN:'微信'\r\n");
    EXPECT_EQ(row.displayName, "微信");
    EXPECT_EQ(row.version, "8.0.1");
    EXPECT_EQ(row.sizeMB, "0.13");
    EXPECT_EQ(row.minSystem, "Android 2.3/2.3.1/2.3.2");
    EXPECT_EQ(row.platform, "Android 4.4.x");
    EXPECT_EQ(row.status, "");
}

TEST_F(FillApkRowTest, MissingKeysGiveUnKnownAndLevelsWithoutNameUnKown)
{
    const PackageInfo row = fillWith("package: name='com.x'\ntargetSdkVersion:'21'\napplication-label:'A'\n");
    EXPECT_EQ(row.version, "UnKnown");
    EXPECT_EQ(row.minSystem, "UnKnown");
    EXPECT_EQ(row.platform, "UnKown");
}

TEST_F(FillApkRowTest, CodenameLevelsHaveNoReleaseNameAsInTheDetailsWindow)
{
    const PackageInfo row = fillWith("sdkVersion:'P'\ntargetSdkVersion:' 14 '\n");
    EXPECT_EQ(row.minSystem, "UnKown");
    EXPECT_EQ(row.platform, "Android 4.0/4.0.1/4.0.2");
}

TEST_F(FillApkRowTest, APackageWithoutAReportIsAnUnreadableRowThatStillHasItsSize)
{
    const PackageInfo row = fillWith(std::nullopt);
    EXPECT_EQ(row.displayName, "");
    EXPECT_EQ(row.version, "UnKnown");
    EXPECT_EQ(row.minSystem, "UnKnown");
    EXPECT_EQ(row.sizeMB, "0.13");
}

TEST(ApkReaderWithRealTool, ReadsTheFixturePackages)
{
    QTemporaryDir scratch;
    const ProgramFolder::ScopedOverride folderOverride(TAVREL_PROGRAM_DIR, scratch.path());
    PackageReader reader(2);
    const QString apk = QStringLiteral(TAVREL_FIXTURES_DIR "/apk/");
    const auto read = [&](const char *name) {
        return NameAndVersionOf(readNow(reader, ReadKind::Badging, apk + name));
    };
    const NameAndVersion zhCn = read("label-zh-cn.apk");
    EXPECT_EQ(zhCn.displayName, "笔记");
    EXPECT_EQ(zhCn.version, "2.1.0");
    EXPECT_EQ(read("label-zh.apk").displayName, "天气");
    EXPECT_EQ(read("label-zh-tw-only.apk").displayName, "電子郵件");
    // "?" and what GBK cannot hold are gone; the full-width question mark stays.
    EXPECT_EQ(read("label-special-chars.apk").displayName, "问答？  ");
    EXPECT_EQ(read("no-version-name.apk").version, "");
}
