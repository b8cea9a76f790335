// Broken packages: each must end in a message on stderr and a non-zero exit (or, where the damage
// leaves the package readable, a well-formed report), never a crash, a hang or a partial report.
#include "aapt_test_support.h"

#include "badging.h"
#include "fuzz_input.h"
#include "zip_archive.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

using aapt::FormatError;
using aapt::MemorySource;

void expectRefused(const std::string &apk, const std::string &reason)
{
    const ToolRun run = runOurAapt(apk);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "") << "no partial report on stdout";
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
}

std::string reportOf(const std::vector<uint8_t> &manifest, const std::vector<uint8_t> &table)
{
    MemorySource m(manifest), t(table);
    return aapt::badgingReport(m, table.empty() ? nullptr : &t);
}

// A report as the program reads it: lines each ended by CR LF (no line break inside a value), the
// package line first and the densities line last, every line a known key before its colon.
::testing::AssertionResult isWellFormedReport(const std::string &report)
{
    static const std::set<std::string> keys = {"package",          "sdkVersion",       "maxSdkVersion",
                                               "targetSdkVersion", "uses-permission",  "application-label",
                                               "application",      "supports-screens", "supports-any-density",
                                               "locales",          "densities"};
    std::vector<std::string> lines;
    for (size_t start = 0; start < report.size();) {
        const size_t end = report.find('\n', start);
        if (end == std::string::npos || end == start || report[end - 1] != '\r')
            return ::testing::AssertionFailure() << "a line not ended by CR LF at " << start << " in\n"
                                                 << report;
        lines.push_back(report.substr(start, end - 1 - start));
        start = end + 1;
    }
    if (lines.empty() || lines.front().rfind("package: name='", 0) != 0 ||
        lines.back().rfind("densities:", 0) != 0)
        return ::testing::AssertionFailure() << "not a whole report:\n" << report;
    for (const std::string &line : lines) {
        const std::string key = line.substr(0, line.find(':'));
        const bool iconKey = key.rfind("application-icon-", 0) == 0 && key.size() > 17 &&
                             key.find_first_not_of("0123456789", 17) == std::string::npos;
        if (line.find(':') == std::string::npos ||
            !(keys.count(key) || iconKey || key.rfind("application-label-", 0) == 0))
            return ::testing::AssertionFailure() << "unknown line \"" << line << "\" in\n" << report;
    }
    return ::testing::AssertionSuccess() << "report";
}

// Why the tool refuses a package, as it prints it after the file's name: one line of words.
::testing::AssertionResult isOneLineReason(const std::string &reason)
{
    if (reason.empty() || reason.find_first_of("\r\n") != std::string::npos)
        return ::testing::AssertionFailure() << "not one line: \"" << reason << "\"";
    return ::testing::AssertionSuccess() << "refusal";
}

// Reading ends in a well-formed report or in FormatError with a one-line reason. Anything else
// thrown escapes and fails the test. The result's message says which outcome it was.
template <class Read>::testing::AssertionResult endsInReportOrRefusal(Read read)
{
    try {
        return isWellFormedReport(read());
    } catch (const FormatError &e) {
        return isOneLineReason(e.what());
    }
}

// The tool on a file: status 0, a well-formed report and nothing on stderr; or status 1, nothing
// on stdout and one line on stderr naming the file. No other status, no signal.
::testing::AssertionResult toolEndsInReportOrRefusal(const std::string &apk)
{
    const ToolRun run = runOurAapt(apk);
    if (run.exitCode == 0 && run.err.empty())
        return isWellFormedReport(run.out);
    const std::string prefix = "aapt: " + apk + ": ";
    if (run.exitCode == 1 && run.out.empty() && run.err.rfind(prefix, 0) == 0 && run.err.back() == '\n')
        return isOneLineReason(run.err.substr(prefix.size(), run.err.size() - prefix.size() - 1));
    return ::testing::AssertionFailure() << "exit status " << run.exitCode << ", stdout \"" << run.out
                                         << "\", stderr \"" << run.err << "\"";
}

// A fuzz input of manifest and table (two bytes little-endian the manifest's length, the manifest,
// the table) as a package the tool can read.
std::string packedAsApk(const std::string &bytes, const QTemporaryDir &dir)
{
    const size_t split =
        bytes.size() < 2
            ? 0
            : std::min<size_t>(bytes.size() - 2, size_t(uint8_t(bytes[0]) | uint8_t(bytes[1]) << 8));
    const auto begin = reinterpret_cast<const uint8_t *>(bytes.data()) + std::min<size_t>(bytes.size(), 2);
    const auto end = reinterpret_cast<const uint8_t *>(bytes.data()) + bytes.size();
    std::vector<Member> members = {{"AndroidManifest.xml", {begin, begin + split}}};
    if (begin + split != end)
        members.push_back({"resources.arsc", {begin + split, end}});
    const std::string path = dir.filePath(QStringLiteral("fuzz-input.apk")).toStdString();
    writeZip(path, members);
    return path;
}

void put32(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

class AaptBadInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manifest = readMember(fixturePath("label-zh-cn.apk"), "AndroidManifest.xml");
        table = readMember(fixturePath("label-zh-cn.apk"), "resources.arsc");
    }
    std::string temp(const char *name) const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
    std::vector<uint8_t> manifest, table;
};

TEST_F(AaptBadInput, FilesThatAreNoPackageAreRefused)
{
    const std::string text = temp("notes.apk");
    std::ofstream(text) << "just some text, not a zip archive\n";
    expectRefused(text, "not a readable zip archive");
    std::ofstream(temp("empty.apk")).close();
    expectRefused(temp("empty.apk"), "not a readable zip archive");
    expectRefused(temp("missing.apk"), "not a readable zip archive");

    writeZip(temp("nomanifest.apk"), {{"resources.arsc", table}});
    expectRefused(temp("nomanifest.apk"), "no AndroidManifest.xml");

    // A plain-text manifest, as in an unbuilt project.
    const std::string xml = "<?xml version=\"1.0\"?><manifest package=\"a.b\"/>";
    writeZip(temp("textmanifest.apk"), {{"AndroidManifest.xml", {xml.begin(), xml.end()}}});
    expectRefused(temp("textmanifest.apk"), "manifest");

    const ToolRun usage = runTool(TAVREL_PROGRAM_DIR "/aapt", {"d", "xmltree", fixturePath("label-zh.apk")});
    EXPECT_NE(usage.exitCode, 0);
    EXPECT_NE(usage.err.find("usage"), std::string::npos);
}

TEST_F(AaptBadInput, ReferenceLoopIsRefused)
{
    expectRefused(fixturePath("bad-reference-loop.apk"), "reference loop");
}

TEST_F(AaptBadInput, TruncationAnywhereIsAnError)
{
    for (size_t n = 0; n < manifest.size(); ++n) {
        std::vector<uint8_t> cut(manifest.begin(), manifest.begin() + long(n));
        EXPECT_THROW(reportOf(cut, table), FormatError) << "manifest cut at " << n;
    }
    // An empty table member counts as none, which is a valid package.
    for (size_t n = 1; n < table.size(); ++n) {
        std::vector<uint8_t> cut(table.begin(), table.begin() + long(n));
        EXPECT_THROW(reportOf(manifest, cut), FormatError) << "table cut at " << n;
    }

    std::vector<uint8_t> cutTable(table.begin(), table.begin() + long(table.size() / 2));
    writeZip(temp("cut.apk"), {{"AndroidManifest.xml", manifest}, {"resources.arsc", cutTable, false}});
    expectRefused(temp("cut.apk"), "resource table");
}

TEST_F(AaptBadInput, CountsAndOffsetsOutsideTheirChunkAreErrors)
{
    // The manifest's string pool follows its 8-byte document header.
    auto hugeCount = manifest;
    put32(hugeCount, 8 + 8, 0x40000000);
    EXPECT_THROW(reportOf(hugeCount, table), FormatError);

    auto farStrings = manifest;
    put32(farStrings, 8 + 20, 0x7ffffff0);
    EXPECT_THROW(reportOf(farStrings, table), FormatError);

    auto hugeDocument = manifest;
    put32(hugeDocument, 4, 0xfffffff0);
    EXPECT_THROW(reportOf(hugeDocument, table), FormatError);

    // Every string offset pointing past the pool.
    auto farOffsets = table;
    const uint32_t count = uint32_t(table[12 + 8] | table[12 + 9] << 8);
    for (uint32_t i = 0; i < count; ++i)
        put32(farOffsets, 12 + 28 + 4 * i, 0x10000000);
    EXPECT_THROW(reportOf(manifest, farOffsets), FormatError);
}

// Random damage must end in a well-formed report or a refusal in one line, nothing else;
// fuzzing covers the rest. Some of the damaged packages go through the tool itself.
TEST_F(AaptBadInput, RandomDamageEndsInAReportOrARefusal)
{
    std::mt19937 random(20261209);
    int reports = 0, refusals = 0;
    for (int round = 0; round < 3000; ++round) {
        auto m = manifest, t = table;
        auto &target = round % 2 ? m : t;
        const int hits = 1 + int(random() % 4);
        for (int h = 0; h < hits; ++h)
            target[random() % target.size()] = uint8_t(random());
        const auto outcome = endsInReportOrRefusal([&] { return reportOf(m, t); });
        ASSERT_TRUE(outcome) << "round " << round;
        ++(outcome.message() == std::string("report") ? reports : refusals);
        if (round % 100 == 0) {
            writeZip(temp("damaged.apk"), {{"AndroidManifest.xml", m}, {"resources.arsc", t}});
            ASSERT_TRUE(toolEndsInReportOrRefusal(temp("damaged.apk"))) << "round " << round;
        }
    }
    // Both outcomes occur, so that neither check above is idle.
    EXPECT_GT(reports, 100);
    EXPECT_GT(refusals, 100);
}

TEST_F(AaptBadInput, OversizedMemberIsNotRead)
{
    writeZip(temp("big.apk"), {{"AndroidManifest.xml", manifest}});
    aapt::ZipArchive zip(temp("big.apk"));
    EXPECT_THROW(zip.open("AndroidManifest.xml", manifest.size() - 1), FormatError);
    EXPECT_NO_THROW(zip.open("AndroidManifest.xml", manifest.size()));
}

std::vector<uint8_t> tableWithDensities(const std::vector<uint16_t> &densities)
{
    std::vector<TableChunk> chunks;
    for (uint16_t d : densities)
        chunks.push_back({d, false, {{0, 1}}, ""});
    return buildTable(chunks);
}

TEST_F(AaptBadInput, TablesBuiltToExhaustTheReportAreRefused)
{
    std::vector<uint16_t> densities;
    for (uint16_t d = 100; d < 164; ++d)
        densities.push_back(d);
    EXPECT_NE(reportOf(manifest, tableWithDensities(densities)).find("densities: '100' '101'"),
              std::string::npos);
    densities.push_back(500);
    EXPECT_THROW(reportOf(manifest, tableWithDensities(densities)), FormatError);

    EXPECT_NO_THROW(reportOf(manifest, tableWithDensities(std::vector<uint16_t>(100000, 160))));
    EXPECT_THROW(reportOf(manifest, tableWithDensities(std::vector<uint16_t>(100001, 160))), FormatError);
}

// Inputs the fuzzer once broke the parsers with; each must now end in a report or a refusal, in
// the parsers and in the tool.
TEST(AaptFuzzRegressions, EverySavedInputEndsInAReportOrARefusal)
{
    const QDir dir(QString::fromStdString(fixturePath("fuzz-regressions")));
    const QStringList names = dir.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    QTemporaryDir temp;
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const std::string path = dir.filePath(name).toStdString();
        const std::string bytes = readTextFile(path);
        const auto *data = reinterpret_cast<const uint8_t *>(bytes.data());
        EXPECT_TRUE(endsInReportOrRefusal([&] { return aapt::reportForPackedInput(data, bytes.size()); }));
        EXPECT_TRUE(toolEndsInReportOrRefusal(bytes.rfind("PK", 0) == 0 ? path : packedAsApk(bytes, temp)));
    }
}

} // namespace
