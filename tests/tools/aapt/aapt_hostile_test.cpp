// Packages built to exhaust the reader: small files whose report would take gigabytes or
// minutes. Each must end in a report or a clear refusal, within the memory a tool run is given.
#include "aapt_test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr uint64_t MemoryLimit = 512ull << 20;
constexpr uint32_t AttrLabel = 0x01010001, AttrName = 0x01010003;

// String indices of the manifests below; "name" and "label" come first so that the resource map
// gives them their attribute ids.
enum : uint32_t { SName, SLabel, SManifest, SPackage, SPackageName, SPermission, SApplication, SBig };

std::vector<std::u16string> manifestStrings(size_t bigLength)
{
    return {u"name",
            u"label",
            u"manifest",
            u"package",
            u"org.tavrel.hostile",
            u"uses-permission",
            u"application",
            std::u16string(bigLength, u'x')};
}

const ManifestElement Root{SManifest, {{NoIndex, SPackage, SPackageName, 0x03, SPackageName}}};

ManifestElement permission(uint32_t attributes)
{
    return {SPermission, std::vector<ManifestAttribute>(attributes, {NoIndex, SName, SBig, 0x03, SBig})};
}

class AaptHostile : public ::testing::Test
{
protected:
    ToolRun run(const std::vector<uint8_t> &manifest, const std::vector<uint8_t> &table = {})
    {
        const std::string apk = dir.filePath("hostile.apk").toStdString();
        std::vector<Member> members{{"AndroidManifest.xml", manifest}};
        if (!table.empty())
            members.push_back({"resources.arsc", table});
        writeZip(apk, members);
        return runOurAaptLimited(apk, MemoryLimit);
    }
    static void expectRefused(const ToolRun &r, const std::string &reason)
    {
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }

    QTemporaryDir dir;
};

TEST_F(AaptHostile, OneLargeStringIsHeldOnceHoweverOftenItIsReferred)
{
    // 60,000 attributes naming one 600,000-character string: 36 GB when each takes a copy.
    const auto strings = manifestStrings(600000);
    const ToolRun shared = run(buildManifest(strings, {AttrName, AttrLabel}, Root, {permission(60000)}));
    EXPECT_EQ(shared.exitCode, 0) << shared.err;
    EXPECT_NE(shared.out.find("uses-permission:'" + std::string(600000, 'x') + "'\r\n"), std::string::npos);

    // Printed once per element instead, the string fills the report: refused, not written.
    const ToolRun repeated = run(buildManifest(strings, {AttrName, AttrLabel}, Root,
                                               std::vector<ManifestElement>(100, permission(1))));
    expectRefused(repeated, "implausibly long");

    // A single string longer than any name or label is refused where it is read.
    const ToolRun huge =
        run(buildManifest(manifestStrings(3000000), {AttrName, AttrLabel}, Root, {permission(1)}));
    expectRefused(huge, "implausibly long");
}

// 999 locales of a label, each step of its 32-step reference chain weighed against 98,000
// configurations: three billion comparisons unless the work is bounded.
std::vector<uint8_t> tableBuiltForWork(size_t locales, size_t fillers, uint32_t labelLength)
{
    std::vector<TableChunk> chunks;
    std::vector<TableEntry> chain;
    for (uint16_t i = 0; i < 31; ++i)
        chain.push_back({i, 0x7f010000u + i + 1, 0x01});
    chain.push_back({31, 0, 0x03});
    chunks.push_back({0, false, chain, ""});
    for (size_t i = 0; i < locales; ++i) {
        const std::string language{char('a' + i / 26 % 26), char('a' + i % 26)};
        chunks.push_back({0, false, chain, language});
        if (i >= 26 * 26) // past two letters: vary the density instead, within what is allowed
            chunks.back().density = uint16_t(100 + i % 60);
    }
    for (size_t i = 0; i < fillers; ++i)
        chunks.push_back({120, true, {{40, 1}}, ""});
    return buildTable(chunks, {std::u16string(labelLength, u'y')});
}

ManifestElement applicationWithLabel()
{
    return {SApplication, {{NoIndex, SLabel, NoIndex, 0x01, 0x7f010000}}};
}

TEST_F(AaptHostile, LookUpsBeyondAnyRealPackageAreRefused)
{
    const auto manifest =
        buildManifest(manifestStrings(1), {AttrName, AttrLabel}, Root, {applicationWithLabel()});
    const ToolRun work = run(manifest, tableBuiltForWork(999, 97000, 5));
    expectRefused(work, "too many configurations");

    // The same chain over 200 locales and as many more chunks is an ordinary report.
    const ToolRun fine = run(manifest, tableBuiltForWork(200, 200, 5));
    EXPECT_EQ(fine.exitCode, 0) << fine.err;
    EXPECT_NE(fine.out.find("application-label-hr:'yyyyy'\r\n"), std::string::npos);
}

TEST_F(AaptHostile, ALongLabelInEveryLocaleIsRefusedNotRepeated)
{
    // 999 lines of 500,000 characters each: half a gigabyte of report.
    const auto manifest =
        buildManifest(manifestStrings(1), {AttrName, AttrLabel}, Root, {applicationWithLabel()});
    expectRefused(run(manifest, tableBuiltForWork(999, 0, 500000)), "implausibly long");
}

} // namespace
