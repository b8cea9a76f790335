// Broken packages: each must end in a message on stderr and a non-zero exit, never a crash,
// a hang or a partial report.
#include "aapt_test_support.h"

#include "badging.h"
#include "fuzz_input.h"
#include "zip_archive.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

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

// Random damage must end in a report or a FormatError, nothing else; fuzzing covers the rest.
TEST_F(AaptBadInput, RandomDamageNeverEscapesAsAnotherFailure)
{
    std::mt19937 random(20261209);
    for (int round = 0; round < 3000; ++round) {
        auto m = manifest, t = table;
        auto &target = round % 2 ? m : t;
        const int hits = 1 + int(random() % 4);
        for (int h = 0; h < hits; ++h)
            target[random() % target.size()] = uint8_t(random());
        try {
            reportOf(m, t);
        } catch (const FormatError &) {
        }
    }
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

// Inputs the fuzzer once broke the parsers with; each must now run clean.
TEST(AaptFuzzRegressions, EverySavedInputRunsClean)
{
    const QDir dir(QString::fromStdString(fixturePath("fuzz-regressions")));
    for (const QString &name : dir.entryList(QDir::Files)) {
        SCOPED_TRACE(name.toStdString());
        const std::string bytes = readTextFile(dir.filePath(name).toStdString());
        aapt::reportForPackedInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    }
}

} // namespace
