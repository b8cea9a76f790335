// Bundles of split APKs: the report of a bundle is the report of its base APK, found by its
// manifest, whatever the bundle's kind or file name; a bundle without exactly one base, or one
// that is encrypted or built to exhaust the reader, is refused.
#include "aapt_test_support.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <zip.h>

namespace {

const char ReferenceAapt[] = "/usr/bin/aapt";

std::string bundlePath(const std::string &name)
{
    return std::string(TAVREL_FIXTURES_DIR) + "/bundles/" + name;
}

void writeFile(const std::string &path, const std::vector<uint8_t> &bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), long(bytes.size()));
}

struct Kind
{
    const char *file;
    const char *base;
};
const Kind Kinds[] = {{"labels.apks", "splits/base-master.apk"},
                      {"labels.xapk", "org.tavrel.fixture.labelzhcn.apk"},
                      {"labels.apkm", "base.apk"}};

class AaptBundle : public ::testing::Test
{
protected:
    std::string temp(const std::string &name) const
    {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    static void expectRefused(const ToolRun &r, const std::string &reason)
    {
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }

    QTemporaryDir dir;
    const std::vector<uint8_t> base = readMember(bundlePath("labels.apks"), "splits/base-master.apk");
    const std::vector<uint8_t> split = readMember(bundlePath("labels.apks"), "splits/base-zh.apk");
};

TEST_F(AaptBundle, EachKindReportsItsBaseApkWhateverItsName)
{
    for (const Kind &kind : Kinds) {
        SCOPED_TRACE(kind.file);
        const std::string alone = temp("base.apk");
        writeFile(alone, readMember(bundlePath(kind.file), kind.base));
        const ToolRun expected = runOurAapt(alone);
        ASSERT_EQ(expected.exitCode, 0) << expected.err;
        EXPECT_NE(expected.out.find("package: name='org.tavrel.fixture.labelzhcn' versionCode='1' "
                                    "versionName='2.1.0'\r\n"),
                  std::string::npos);

        const ToolRun bundle = runOurAapt(bundlePath(kind.file));
        EXPECT_EQ(bundle.exitCode, 0) << bundle.err;
        EXPECT_EQ(bundle.out, expected.out);
        // The content decides, not the extension.
        ASSERT_TRUE(QFile::copy(QString::fromStdString(bundlePath(kind.file)), dir.filePath("renamed.apk")));
        EXPECT_EQ(runOurAapt(temp("renamed.apk")).out, expected.out);
        QFile::remove(dir.filePath("renamed.apk"));

        EXPECT_EQ(reliedOnLines(bundle.out),
                  reliedOnLines(readTextFile(bundlePath("expected/base.ref.txt"))));
        if (QFileInfo(ReferenceAapt).isExecutable()) {
            const ToolRun reference = runTool(ReferenceAapt, {"d", "badging", alone});
            EXPECT_EQ(reliedOnLines(bundle.out), reliedOnLines(reference.out));
        }
    }
}

TEST_F(AaptBundle, ABundleWithoutExactlyOneBaseIsRefused)
{
    writeZip(temp("splits.apks"),
             {{"splits/base-zh.apk", split, false}, {"splits/base-fr.apk", split, false}});
    expectRefused(runOurAapt(temp("splits.apks")), "no base APK");

    writeZip(temp("two.xapk"),
             {{"one.apk", base, false}, {"config.zh.apk", split, false}, {"two.apk", base}});
    expectRefused(runOurAapt(temp("two.xapk")), "two base APKs, one.apk and two.apk");

    // A damaged split does not hide the base.
    const std::vector<uint8_t> junk(300, 'j');
    writeZip(temp("junk.apkm"), {{"split_config.fr.apk", junk}, {"base.apk", base}});
    const ToolRun withJunk = runOurAapt(temp("junk.apkm"));
    EXPECT_EQ(withJunk.exitCode, 0) << withJunk.err;
    EXPECT_EQ(withJunk.out, runOurAapt(bundlePath("labels.apkm")).out);

    // A zip of something else is no package at all.
    writeZip(temp("photos.zip"), {{"a.jpg", junk}});
    expectRefused(runOurAapt(temp("photos.zip")), "no AndroidManifest.xml");
}

TEST_F(AaptBundle, AnEncryptedBundleIsRefused)
{
    writeZip(temp("locked.apks"), {{"splits/base-master.apk", base}, {"splits/base-zh.apk", split}});
    zip_t *z = zip_open(temp("locked.apks").c_str(), 0, nullptr);
    ASSERT_NE(z, nullptr);
    ASSERT_EQ(zip_file_set_encryption(z, 0, ZIP_EM_AES_256, "secret"), 0);
    ASSERT_EQ(zip_close(z), 0);
    expectRefused(runOurAapt(temp("locked.apks")), "encrypted");
}

TEST_F(AaptBundle, NestedBombsAreRefusedWithinTheMemoryLimit)
{
    constexpr uint64_t MemoryLimit = 512ull << 20;
    // A member APK that inflates to 300 MB.
    writeZip(temp("big.xapk"), {{"base.apk", base}, {"config.zh.apk", std::vector<uint8_t>(300u << 20)}});
    expectRefused(runOurAaptLimited(temp("big.xapk"), MemoryLimit), "too large");

    // A stored member APK whose manifest inflates to 40 MB.
    const std::string inner = temp("inner.apk");
    writeZip(inner, {{"AndroidManifest.xml", std::vector<uint8_t>(40u << 20)}});
    const std::string innerText = readTextFile(inner);
    const std::vector<uint8_t> innerBytes(innerText.begin(), innerText.end());
    writeZip(temp("deep.apks"),
             {{"splits/base-master.apk", base, false}, {"splits/bomb.apk", innerBytes, false}});
    expectRefused(runOurAaptLimited(temp("deep.apks"), MemoryLimit), "too large");

    // Many members whose manifests each inflate to 2 MB: a gigabyte in all.
    writeZip(inner, {{"AndroidManifest.xml", std::vector<uint8_t>(2u << 20)}});
    const std::string smallText = readTextFile(inner);
    std::vector<Member> many{{"base.apk", base, false}};
    for (int i = 0; i < 500; ++i)
        many.push_back({"split" + std::to_string(i) + ".apk", {smallText.begin(), smallText.end()}, false});
    writeZip(temp("many.apkm"), many);
    expectRefused(runOurAaptLimited(temp("many.apkm"), MemoryLimit), "inflate to more than");
}

TEST_F(AaptBundle, StoredMembersCountAgainstTheBundlesBudget)
{
    // Four stored members of 150 MB each (holes in a sparse file, so the test costs no disk): more
    // than a bundle may make us read, although nothing in it is inflated.
    const std::string path = temp("stored.apks");
    std::ofstream out(path, std::ios::binary);
    std::vector<uint8_t> directory;
    auto put = [](std::vector<uint8_t> &to, uint64_t value, int size) {
        for (int i = 0; i < size; ++i)
            to.push_back(uint8_t(value >> (8 * i)));
    };
    constexpr uint32_t MemberSize = 150u << 20;
    uint64_t offset = 0;
    for (int i = 0; i < 4; ++i) {
        const std::string name = "split" + std::to_string(i) + ".apk";
        std::vector<uint8_t> local;
        for (auto [value, size] : std::initializer_list<std::pair<uint64_t, int>>{{0x04034b50, 4},
                                                                                  {10, 2},
                                                                                  {0, 2},
                                                                                  {0, 2},
                                                                                  {0, 4},
                                                                                  {0, 4},
                                                                                  {MemberSize, 4},
                                                                                  {MemberSize, 4},
                                                                                  {name.size(), 2},
                                                                                  {0, 2}})
            put(local, value, size);
        local.insert(local.end(), name.begin(), name.end());
        for (auto [value, size] : std::initializer_list<std::pair<uint64_t, int>>{{0x02014b50, 4},
                                                                                  {10, 2},
                                                                                  {10, 2},
                                                                                  {0, 2},
                                                                                  {0, 2},
                                                                                  {0, 4},
                                                                                  {0, 4},
                                                                                  {MemberSize, 4},
                                                                                  {MemberSize, 4},
                                                                                  {name.size(), 2},
                                                                                  {0, 2},
                                                                                  {0, 2},
                                                                                  {0, 2},
                                                                                  {0, 2},
                                                                                  {0, 4},
                                                                                  {offset, 4}})
            put(directory, value, size);
        directory.insert(directory.end(), name.begin(), name.end());
        out.write(reinterpret_cast<const char *>(local.data()), long(local.size()));
        out.seekp(long(MemberSize), std::ios::cur);
        offset += local.size() + MemberSize;
    }
    std::vector<uint8_t> end;
    for (auto [value, size] : std::initializer_list<std::pair<uint64_t, int>>{
             {0x06054b50, 4}, {0, 2}, {0, 2}, {4, 2}, {4, 2}, {directory.size(), 4}, {offset, 4}, {0, 2}})
        put(end, value, size);
    out.write(reinterpret_cast<const char *>(directory.data()), long(directory.size()));
    out.write(reinterpret_cast<const char *>(end.data()), long(end.size()));
    out.close();
    expectRefused(runOurAapt(path), "more than a package can hold");
}

} // namespace
