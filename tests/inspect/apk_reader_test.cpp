#include "app/package_inspection.h"
#include "core/package_list.h"
#include "inspect/apk_reader.h"
#include "platform/program_folder.h"
#include "support/fake_tools.h"

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
class InspectApkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile apk(dir.path() + "/app.apk");
        ASSERT_TRUE(apk.open(QIODevice::WriteOnly));
        apk.write(QByteArray(128 * 1024, 'x'));
    }

    PackageInfo inspectWith(const QByteArray &report)
    {
        QFile text(dir.path() + "/report.txt");
        EXPECT_TRUE(text.open(QIODevice::WriteOnly));
        text.write(report);
        text.close();
        EXPECT_TRUE(writeFakeTool(dir.path() + "/aapt", "cat '" + text.fileName().toUtf8() + "'\n"));
        PackageList list;
        const int p = list.append(dir.path() + "/", "app.apk");
        InspectApk(list, p);
        return list.rowAt(p);
    }

    QTemporaryDir dir;
    const ProgramFolder::ScopedOverride folderOverride{dir.path(), dir.path()};
};
} // namespace

TEST_F(InspectApkTest, FillsEveryFieldFromTheReport)
{
    const PackageInfo row = inspectWith("package: name='com.x' versionCode='3' versionName='8.0.1'\r\n"
                                        "sdkVersion:'9'\r\ntargetSdkVersion:'19'\r\n"
                                        "application-label:'WeChat'\r\napplication-label-zh_CN:'微信'\r\n");
    EXPECT_EQ(row.displayName, "微信");
    EXPECT_EQ(row.version, "8.0.1");
    EXPECT_EQ(row.sizeMB, "0.13");
    EXPECT_EQ(row.minSystem, "Android 2.3/2.3.1/2.3.2");
    EXPECT_EQ(row.platform, "Android 4.4.x");
    EXPECT_EQ(row.status, "");
}

TEST_F(InspectApkTest, MissingKeysGiveUnKnownAndLevelsWithoutNameUnKown)
{
    const PackageInfo row =
        inspectWith("package: name='com.x'\ntargetSdkVersion:'21'\napplication-label:'A'\n");
    EXPECT_EQ(row.version, "UnKnown");
    EXPECT_EQ(row.minSystem, "UnKnown");
    EXPECT_EQ(row.platform, "UnKown");
}

TEST_F(InspectApkTest, CodenameLevelsLeaveTheFieldEmpty)
{
    const PackageInfo row = inspectWith("sdkVersion:'P'\ntargetSdkVersion:' 14 '\n");
    EXPECT_EQ(row.minSystem, "");
    EXPECT_EQ(row.platform, "Android 4.0/4.0.1/4.0.2");
}

TEST_F(InspectApkTest, FailingToolStillGivesTheSize)
{
    const PackageInfo row = inspectWith("");
    EXPECT_EQ(row.displayName, "");
    EXPECT_EQ(row.version, "UnKnown");
    EXPECT_EQ(row.sizeMB, "0.13");
}

TEST(ApkReaderWithRealTool, ReadsTheFixturePackages)
{
    QTemporaryDir scratch;
    const ProgramFolder::ScopedOverride folderOverride(TAVREL_PROGRAM_DIR, scratch.path());
    const QString apk = QStringLiteral(TAVREL_FIXTURES_DIR "/apk/");
    const NameAndVersion zhCn = ReadApkNameAndVersion(apk + "label-zh-cn.apk");
    EXPECT_EQ(zhCn.displayName, "笔记");
    EXPECT_EQ(zhCn.version, "2.1.0");
    EXPECT_EQ(ReadApkNameAndVersion(apk + "label-zh.apk").displayName, "天气");
    EXPECT_EQ(ReadApkNameAndVersion(apk + "label-zh-tw-only.apk").displayName, "電子郵件");
    // "?" and what GBK cannot hold are gone; the full-width question mark stays.
    EXPECT_EQ(ReadApkNameAndVersion(apk + "label-special-chars.apk").displayName, "问答？  ");
    const NameAndVersion noVersion = ReadApkNameAndVersion(apk + "no-version-name.apk");
    EXPECT_EQ(noVersion.version, "");
}
