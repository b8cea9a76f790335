#include "inspect/apk_details.h"
#include "inspect/new_name_preview.h"
#include "platform/program_folder.h"
#include "support/fake_tools.h"
#include "support/reading.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kRule = QStringLiteral("%Name% %Version%");

// What the details window shows once a reader of the program folder has read the package.
ApkDetails LoadApkDetails(const QString &path, const QString &rule)
{
    PackageReader reader(1);
    return ApkDetailsFromReport(readNow(reader, ReadKind::Badging, path).badging.value_or(QString()), path, rule);
}
} // namespace

TEST(ApkDetails, EveryFieldOfAPackageWithManyPermissions)
{
    QTemporaryDir scratch;
    const ProgramFolder::ScopedOverride folders(TAVREL_PROGRAM_DIR, scratch.path());
    const ApkDetails d = LoadApkDetails(TAVREL_FIXTURES_DIR "/apk/permissions.apk", kRule);

    EXPECT_EQ(d.name, "Permissions");
    EXPECT_EQ(d.version, "1.0");
    EXPECT_TRUE(d.size.endsWith(" MB")) << d.size.toStdString();
    EXPECT_EQ(d.identifier, "org.tavrel.fixture.permissions");
    EXPECT_EQ(d.minLevel, "9");
    EXPECT_EQ(d.minSystem, "Android 2.3/2.3.1/2.3.2");
    EXPECT_EQ(d.targetLevel, "19");
    EXPECT_EQ(d.targetSystem, "Android 4.4.x");
    EXPECT_EQ(d.screens, "small normal large xlarge");
    EXPECT_EQ(d.densities, "160");
    EXPECT_EQ(d.permissionText(), QStringLiteral("访问网络\n拍照权限\n读取联系人\n获取精确位置\n使用振动"));
    EXPECT_EQ(d.currentName, "permissions.apk");
    EXPECT_EQ(d.newName, "Permissions 1.0.apk");
    EXPECT_TRUE(d.report.startsWith("package: name='org.tavrel.fixture.permissions'"));
}

TEST(ApkDetails, MissingKeysReadUnKnownAndLevelNumbersStayEmpty)
{
    for (const QString &report :
         {QString(), QStringLiteral("错误: 53 - 文件未找到"),
          QStringLiteral("application-label:'A'\r\ndensities:\r\nsupports-screens: \r\n")}) {
        const ApkDetails d = ApkDetailsFromReport(report, "/no/such/dir/x.apk", kRule);
        EXPECT_EQ(d.version, "UnKnown");
        EXPECT_EQ(d.identifier, "UnKnown");
        EXPECT_EQ(d.minLevel, "");
        EXPECT_EQ(d.minSystem, "UnKnown");
        EXPECT_EQ(d.targetLevel, "");
        EXPECT_EQ(d.targetSystem, "UnKnown");
        EXPECT_EQ(d.screens, "UnKnown");
        EXPECT_EQ(d.densities, "UnKnown"); // also for a "densities:" line without a value
        EXPECT_TRUE(d.permissions.isEmpty());
        EXPECT_EQ(d.permissionText(), "");
        EXPECT_EQ(d.size, ""); // the file cannot be measured
        EXPECT_TRUE(d.newName.endsWith(" UnKnown.apk")) << d.newName.toStdString();
    }
}

TEST(ApkDetails, LevelsWithoutAReleaseNameKeepTheirNumber)
{
    const ApkDetails d = ApkDetailsFromReport("sdkVersion:'Q'\r\ntargetSdkVersion:'21'\r\n", "x.apk", kRule);
    EXPECT_EQ(d.minLevel, "Q");
    EXPECT_EQ(d.minSystem, "UnKown");
    EXPECT_EQ(d.targetLevel, "21");
    EXPECT_EQ(d.targetSystem, "UnKown");
}

TEST(ApkDetails, LabelIsTakenAsTheListTakesIt)
{
    const ApkDetails d = ApkDetailsFromReport("package: name='com.x' versionName='2.0'\r\n"
                                              "application-label:'Tom's Notes?'\r\n"
                                              "application-label-zh_CN:'汤姆的笔记😀'\r\n",
                                              "x.apk", kRule);
    EXPECT_EQ(d.name, QStringLiteral("汤姆的笔记"));
    const ApkDetails plain = ApkDetailsFromReport("application-label:'Tom's Notes?'\r\n", "x.apk", kRule);
    EXPECT_EQ(plain.name, "Tom's Notes");
}

TEST(ApkDetails, OnlyLinesStartingWithTheirKeyCount)
{
    // A later label line holding the keys does not replace the real values.
    const ApkDetails d = ApkDetailsFromReport("supports-screens: 'small' 'normal' 'large'\r\n"
                                              "densities: '160' '240'\r\n"
                                              "uses-permission:'android.permission.INTERNET'\r\n"
                                              "uses-permission:'android.permission.UNHEARD_OF'\r\n"
                                              "uses-permission: name='android.permission.CAMERA'\r\n"
                                              "uses-permission:'android.permission.VIBRATE'\n"
                                              "application-label:'x supports-screens: densities: "
                                              "uses-permission:android.permission.CAMERA'\r\n",
                                              "x.apk", kRule);
    EXPECT_EQ(d.screens, "small normal large");
    EXPECT_EQ(d.densities, "160 240");
    EXPECT_EQ(d.permissions, QStringList({QStringLiteral("访问网络"), QStringLiteral("使用振动")}));
    EXPECT_EQ(d.permissionText(), QStringLiteral("访问网络\n使用振动"));
}

TEST(ApkDetails, AReportLongerThanSixteenBitPositionsIsReadWhole)
{
    QTemporaryDir dir;
    const ProgramFolder::ScopedOverride folders(dir.path(), dir.path());
    QByteArray report = "package: name='com.many' versionName='9.9'\r\n";
    for (int i = 0; i < 800; ++i)
        report += "uses-permission:'com.example.permission.UNLISTED_" + QByteArray::number(i) + "'\r\n";
    report += "uses-permission:'android.permission.INTERNET'\r\n"
              "uses-permission:'android.permission.WAKE_LOCK'\r\n"
              "application-label:'很多权限'\r\n"
              "supports-screens: 'normal'\r\n"
              "densities: '480'\r\n";
    ASSERT_GT(QString::fromUtf8(report).size(), 40000);
    QFile text(dir.path() + "/report.txt");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(report);
    text.close();
    ASSERT_TRUE(writeFakeTool(dir.path() + "/aapt", "cat '" + text.fileName().toUtf8() + "'\n"));
    QFile apk(dir.path() + "/many.apk");
    ASSERT_TRUE(apk.open(QIODevice::WriteOnly));
    ASSERT_TRUE(apk.resize(qint64(5) << 20));
    apk.close();

    const ApkDetails d = LoadApkDetails(dir.path() + "/many.apk", "%Version%-%Name%");
    EXPECT_EQ(d.report, QString::fromUtf8(report));
    EXPECT_EQ(d.permissions, QStringList({QStringLiteral("访问网络"), QStringLiteral("唤醒锁定")}));
    EXPECT_EQ(d.name, QStringLiteral("很多权限"));
    EXPECT_EQ(d.screens, "normal");
    EXPECT_EQ(d.densities, "480");
    EXPECT_EQ(d.size, "5.00 MB");
    EXPECT_EQ(d.newName, QStringLiteral("9.9-很多权限.apk"));
}

TEST(NewNamePreview, ExpandsTheRuleAndKeepsTheFilesOwnExtension)
{
    EXPECT_EQ(NewNamePreview("%Name% %Version%", "微信", "8.0", "a.b.apk", ".apk"),
              QStringLiteral("微信 8.0.apk"));
    EXPECT_EQ(NewNamePreview("%Name%_v%Version%", "App", "1", "bundle.xapk", ".apk"), "App_v1.xapk");
    EXPECT_EQ(NewNamePreview("%Name%", "App", "1", "noextapk", ".apk"), "App.apk");
    EXPECT_EQ(NewNamePreview("fixed", "App", "1", "x.ipa", ".ipa"), "fixed.ipa");
    // Name first, then version: a name holding "%Version%" gets the version there too.
    EXPECT_EQ(NewNamePreview("%Name% (%Version%)", "A%Version%", "2", "x.apk", ".apk"), "A2 (2).apk");
    EXPECT_EQ(NewNamePreview("%name% %VERSION%", "A", "2", "x.apk", ".apk"), "%name% %VERSION%.apk");
}
