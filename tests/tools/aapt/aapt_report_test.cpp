// The reports of the fixture packages: exact against our committed output, relied-on lines
// against the committed and (when installed) the live output of Debian's aapt.
#include "aapt_test_support.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const char ReferenceAapt[] = "/usr/bin/aapt";
const char FrameworkRes[] = "/usr/share/android-framework-res/framework-res.apk";

bool hasLine(const std::string &report, const std::string &line)
{
    return report.find(line + "\r\n") != std::string::npos;
}

TEST(AaptReport, EveryFixtureGivesItsCommittedReportWithCrLf)
{
    const auto names = fixtureApkNames();
    ASSERT_GE(names.size(), 15u);
    for (const std::string &name : names) {
        SCOPED_TRACE(name);
        const ToolRun run = runOurAapt(fixturePath(name + ".apk"));
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, readTextFile(fixturePath("expected/" + name + ".badging.txt")));
        size_t lf = 0;
        while ((lf = run.out.find('\n', lf + 1)) != std::string::npos)
            ASSERT_EQ(run.out[lf - 1], '\r');
    }
}

TEST(AaptReport, ReliedOnLinesAgreeWithTheReferenceReports)
{
    for (const std::string &name : fixtureApkNames()) {
        SCOPED_TRACE(name);
        const std::string reference = readTextFile(fixturePath("expected/" + name + ".ref.txt"));
        ASSERT_FALSE(reference.empty());
        EXPECT_EQ(reliedOnLines(runOurAapt(fixturePath(name + ".apk")).out), reliedOnLines(reference));
    }
}

// The lines the program picks its fields from, stated once here as the contract.
TEST(AaptReport, LabelsVersionsAndLevelsTheProgramReads)
{
    struct Case
    {
        const char *fixture;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::vector<Case> cases = {
        {"label-zh-cn", {"application-label:'Notes'", "application-label-zh_CN:'笔记'"}, {}},
        {"label-zh", {"application-label:'Weather'", "application-label-zh:'天气'"}, {}},
        {"label-zh-tw-only",
         {"application-label-zh_TW:'電子郵件'", "application: label='電子郵件' icon=''"},
         {"application-label:'"}},
        {"label-literal", {"application: label='Literal Label' icon=''"}, {}},
        {"label-chain", {"application-label:'Chained'", "application-label-zh_CN:'链接'"}, {}},
        {"label-path-chars", {"application-label:'AC/DC Player'", "application-label-zh_CN:'../播放器'"}, {}},
        {"version-name-ref",
         {"package: name='org.tavrel.fixture.versionnameref' versionCode='1' versionName='3.4.5-beta'"},
         {}},
        {"no-version-name",
         {"package: name='org.tavrel.fixture.noversionname' versionCode='1' versionName=''"},
         {}},
        {"no-uses-sdk", {"supports-screens: 'normal'"}, {"sdkVersion:'", "targetSdkVersion:'"}},
        {"sdk-codename", {"sdkVersion:'Q'", "targetSdkVersion:'Q'"}, {}},
        {"sdk-min-only", {"sdkVersion:'21'"}, {"targetSdkVersion:'"}},
        {"supports-screens", {"supports-screens: 'normal' 'large'"}, {}},
        {"densities",
         {"densities: '160' '240' '320'", "application-icon-240:'res/drawable-hdpi-v4/icon.png'",
          "application: label='Densities' icon='res/drawable-mdpi-v4/icon.png'"},
         {}},
        {"utf16-table", {"application-label-zh_CN:'笔记'"}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fixture);
        const std::string out = runOurAapt(fixturePath(std::string(c.fixture) + ".apk")).out;
        for (const std::string &line : c.present)
            EXPECT_TRUE(hasLine(out, line)) << line;
        for (const std::string &key : c.absent)
            EXPECT_EQ(out.find("\n" + key), std::string::npos) << key;
    }

    const std::string permissions = runOurAapt(fixturePath("permissions.apk")).out;
    EXPECT_NE(permissions.find("uses-permission:'android.permission.INTERNET'\r\n"
                               "uses-permission:'android.permission.CAMERA'\r\n"
                               "uses-permission:'android.permission.READ_CONTACTS'\r\n"
                               "uses-permission:'android.permission.ACCESS_FINE_LOCATION'\r\n"
                               "uses-permission:'android.permission.VIBRATE'\r\n"),
              std::string::npos);
}

TEST(AaptReport, CompressedAndStoredMembersReadAlike)
{
    QTemporaryDir dir;
    const std::string source = fixturePath("label-zh-cn.apk");
    const auto manifest = readMember(source, "AndroidManifest.xml");
    const auto table = readMember(source, "resources.arsc");
    const std::string flipped = dir.filePath("flipped.apk").toStdString();
    writeZip(flipped, {{"AndroidManifest.xml", manifest, false}, {"resources.arsc", table, true}});
    const ToolRun run = runOurAapt(flipped);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, runOurAapt(source).out);
}

TEST(AaptReport, PackageWithoutResourceTableKeepsALiteralLabel)
{
    QTemporaryDir dir;
    const std::string apk = dir.filePath("bare.apk").toStdString();
    writeZip(apk,
             {{"AndroidManifest.xml", readMember(fixturePath("label-literal.apk"), "AndroidManifest.xml")}});
    const ToolRun run = runOurAapt(apk);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(hasLine(run.out, "application-label:'Literal Label'"));
    EXPECT_TRUE(hasLine(run.out, "application: label='Literal Label' icon=''"));
    // No table, no densities: no value is invented for the densities line.
    EXPECT_TRUE(hasLine(run.out, "locales:"));
    EXPECT_TRUE(hasLine(run.out, "densities:"));

    if (QFileInfo(ReferenceAapt).isExecutable()) {
        const ToolRun reference = runTool(ReferenceAapt, {"d", "badging", apk});
        ASSERT_EQ(reference.exitCode, 0) << reference.err;
        // Debian's tool drops a literal label when there is no table to resolve through; the
        // program needs that label, so only the other lines must agree.
        auto withoutLabels = [](std::vector<std::string> lines) {
            std::erase_if(lines, [](const std::string &l) { return l.find("label") != std::string::npos; });
            return lines;
        };
        EXPECT_EQ(withoutLabels(reliedOnLines(run.out)), withoutLabels(reliedOnLines(reference.out)));
    }
}

TEST(AaptDifferential, FixturesMatchDebianAapt)
{
    if (!QFileInfo(ReferenceAapt).isExecutable())
        GTEST_SKIP() << "Debian's aapt is not installed";
    for (const std::string &name : fixtureApkNames()) {
        SCOPED_TRACE(name);
        const ToolRun reference = runTool(ReferenceAapt, {"d", "badging", fixturePath(name + ".apk")});
        ASSERT_EQ(reference.exitCode, 0) << reference.err;
        EXPECT_EQ(reliedOnLines(runOurAapt(fixturePath(name + ".apk")).out), reliedOnLines(reference.out));
    }
}

// A real platform package: 140 locales, eight densities, sparse translations.
TEST(AaptDifferential, FrameworkResMatchesDebianAapt)
{
    if (!QFileInfo(ReferenceAapt).isExecutable() || !QFileInfo::exists(FrameworkRes))
        GTEST_SKIP() << "Debian's aapt or framework-res.apk is not installed";
    const ToolRun reference = runTool(ReferenceAapt, {"d", "badging", FrameworkRes});
    const ToolRun ours = runOurAapt(FrameworkRes);
    ASSERT_EQ(ours.exitCode, 0) << ours.err;
    const auto expected = reliedOnLines(reference.out);
    const auto actual = reliedOnLines(ours.out);
    EXPECT_GT(std::count_if(actual.begin(), actual.end(),
                            [](const std::string &l) { return l.rfind("application-label-", 0) == 0; }),
              100);
    EXPECT_EQ(actual, expected);
}

} // namespace
