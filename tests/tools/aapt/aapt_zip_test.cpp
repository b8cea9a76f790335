// The package reader's own zip handling: members found through the central directory, stored
// ones read in place, deflated ones inflated within their declared size and checked.
#include "aapt_test_support.h"

#include "badging.h"
#include "zip_archive.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

namespace {

using aapt::FormatError;
using aapt::MemorySource;
using aapt::ZipArchive;

std::vector<uint8_t> bytesOf(const std::string &text)
{
    return {text.begin(), text.end()};
}

class AaptZip : public ::testing::Test
{
protected:
    // An archive written by libzip, as bytes.
    std::vector<uint8_t> archive(const std::vector<Member> &members)
    {
        const std::string path = dir.filePath("a.zip").toStdString();
        writeZip(path, members);
        const std::string text = readTextFile(path);
        return {text.begin(), text.end()};
    }
    static std::string member(const std::vector<uint8_t> &zipBytes, const char *name, uint64_t max = 1 << 20)
    {
        ZipArchive zip(std::make_shared<MemorySource>(zipBytes));
        auto src = zip.open(name, max);
        return std::string(reinterpret_cast<const char *>(src->data()), src->size());
    }
    // The offset of the first occurrence of needle in haystack.
    static size_t find(const std::vector<uint8_t> &haystack, const std::string &needle, size_t from = 0)
    {
        const auto it =
            std::search(haystack.begin() + long(from), haystack.end(), needle.begin(), needle.end());
        return it == haystack.end() ? std::string::npos : size_t(it - haystack.begin());
    }

    QTemporaryDir dir;
    const std::string text = std::string(5000, 'a') + "tail";
};

TEST_F(AaptZip, StoredAndDeflatedMembersReadWholeWhateverTheComment)
{
    auto bytes = archive({{"stored.txt", bytesOf(text), false}, {"deflated.txt", bytesOf(text), true}});
    EXPECT_EQ(member(bytes, "stored.txt"), text);
    EXPECT_EQ(member(bytes, "deflated.txt"), text);
    EXPECT_THROW(member(bytes, "missing.txt"), FormatError);
    EXPECT_THROW(member(bytes, "deflated.txt", text.size() - 1), FormatError);

    // An archive comment, even one holding an end-of-directory signature, is passed over.
    const std::string path = dir.filePath("a.zip").toStdString();
    zip_t *z = zip_open(path.c_str(), 0, nullptr);
    ASSERT_NE(z, nullptr);
    const std::string comment = "PK\x05\x06 and some more words";
    zip_set_archive_comment(z, comment.data(), zip_uint16_t(comment.size()));
    ASSERT_EQ(zip_close(z), 0);
    const std::string commented = readTextFile(path);
    bytes.assign(commented.begin(), commented.end());
    EXPECT_EQ(member(bytes, "stored.txt"), text);
    // So are bytes after the end of the archive.
    bytes.insert(bytes.end(), 100, 'z');
    EXPECT_EQ(member(bytes, "deflated.txt"), text);
}

TEST_F(AaptZip, CutAnywhereIsAnError)
{
    const auto bytes = archive({{"stored.txt", bytesOf(text), false}, {"deflated.txt", bytesOf(text), true}});
    for (size_t n = 0; n < bytes.size(); ++n) {
        const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(n));
        EXPECT_THROW(
            {
                ZipArchive zip(std::make_shared<MemorySource>(cut));
                zip.open("stored.txt", 1 << 20);
                zip.open("deflated.txt", 1 << 20);
            },
            FormatError)
            << "cut at " << n;
    }
}

TEST_F(AaptZip, SizesAndChecksumsThatLieAreRefused)
{
    const auto bytes = archive({{"deflated.txt", bytesOf(text), true}});
    const size_t central = find(bytes, "PK\x01\x02");
    ASSERT_NE(central, std::string::npos);
    auto patched = [&](size_t at, uint32_t value) {
        auto b = bytes;
        for (int i = 0; i < 4; ++i)
            b[at + i] = uint8_t(value >> (8 * i));
        return b;
    };
    EXPECT_THROW(member(patched(central + 24, uint32_t(text.size() - 10)), "deflated.txt"), FormatError);
    EXPECT_THROW(member(patched(central + 24, uint32_t(text.size() + 10)), "deflated.txt"), FormatError);
    EXPECT_THROW(member(patched(central + 16, 0x12345678), "deflated.txt"), FormatError);
    EXPECT_THROW(member(patched(central + 42, 0x7fffffff), "deflated.txt"), FormatError);
    EXPECT_THROW(member(patched(central + 20, 0x7fffffff), "deflated.txt"), FormatError);
    EXPECT_EQ(member(bytes, "deflated.txt"), text);
}

// Bundles with large expansion files pass 4 GiB and carry their sizes and offsets in zip64
// records; this one is small but written the same way.
TEST_F(AaptZip, Zip64RecordsGiveSizesAndOffsets)
{
    std::vector<uint8_t> z;
    auto u16 = [&](uint64_t v) { z.insert(z.end(), {uint8_t(v), uint8_t(v >> 8)}); };
    auto u32 = [&](uint64_t v) { u16(v & 0xffff), u16(v >> 16 & 0xffff); };
    auto u64 = [&](uint64_t v) { u32(v & 0xffffffff), u32(v >> 32); };
    auto bytes = [&](const std::string &b) { z.insert(z.end(), b.begin(), b.end()); };
    const std::string name = "big/base.apk";
    const uint32_t crc = 0; // stored members are not checked against it
    u32(0x04034b50), u16(45), u16(0), u16(0), u32(0), u32(crc), u32(0xffffffff), u32(0xffffffff);
    u16(name.size()), u16(20), bytes(name), u16(1), u16(16), u64(text.size()), u64(text.size());
    bytes(text);
    const uint64_t directory = z.size();
    u32(0x02014b50), u16(45), u16(45), u16(0), u16(0), u32(0), u32(crc), u32(0xffffffff), u32(0xffffffff);
    u16(name.size()), u16(28), u16(0), u16(0), u16(0), u32(0), u32(0xffffffff), bytes(name);
    u16(1), u16(24), u64(text.size()), u64(text.size()), u64(0);
    const uint64_t directorySize = z.size() - directory, end64 = z.size();
    u32(0x06064b50), u64(44), u16(45), u16(45), u32(0), u32(0), u64(1), u64(1), u64(directorySize),
        u64(directory);
    u32(0x07064b50), u32(0), u64(end64), u32(1);
    u32(0x06054b50), u16(0), u16(0), u16(0xffff), u16(0xffff), u32(0xffffffff), u32(0xffffffff), u16(0);
    EXPECT_EQ(member(z, "big/base.apk"), text);
}

TEST_F(AaptZip, EncryptedAndUnsupportedMembersAreRefused)
{
    const std::string path = dir.filePath("locked.zip").toStdString();
    writeZip(path, {{"locked.txt", bytesOf(text), true}, {"bzip.txt", bytesOf(text), true}});
    zip_t *z = zip_open(path.c_str(), 0, nullptr);
    ASSERT_NE(z, nullptr);
    ASSERT_EQ(zip_file_set_encryption(z, 0, ZIP_EM_AES_256, "secret"), 0);
    ASSERT_EQ(zip_set_file_compression(z, 1, ZIP_CM_BZIP2, 0), 0);
    ASSERT_EQ(zip_close(z), 0);
    ZipArchive zip(path);
    try {
        zip.open("locked.txt", 1 << 20);
        ADD_FAILURE() << "an encrypted member was read";
    } catch (const FormatError &e) {
        EXPECT_NE(std::string(e.what()).find("encrypted"), std::string::npos) << e.what();
    }
    EXPECT_THROW(zip.open("bzip.txt", 1 << 20), FormatError);
}

TEST_F(AaptZip, AnArchiveWithoutItsEndRecordIsRefused)
{
    auto bytes = archive({{"stored.txt", bytesOf(text), false}});
    const size_t end = find(bytes, "PK\x05\x06");
    ASSERT_NE(end, std::string::npos);
    bytes[end + 3] = 0;
    try {
        ZipArchive zip(std::make_shared<MemorySource>(bytes));
        ADD_FAILURE() << "read with " << zip.entries().size() << " entries";
    } catch (const FormatError &e) {
        EXPECT_NE(std::string(e.what()).find("no end of central directory"), std::string::npos) << e.what();
    }
}

TEST_F(AaptZip, MembersListedTwiceOrSharingBytesAreRefused)
{
    // Each directory entry copied: the same member twice, then the second renamed so that no
    // name is repeated either.
    const auto bytes = archive({{"a.txt", bytesOf(text), false}, {"b.txt", bytesOf(text), true}});
    const size_t central = find(bytes, "PK\x01\x02");
    const size_t end = find(bytes, "PK\x05\x06");
    ASSERT_NE(central, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    auto listedTwice = [&](char rename) {
        std::vector<uint8_t> b(bytes.begin(), bytes.begin() + long(end));
        const size_t copy = b.size();
        b.insert(b.end(), bytes.begin() + long(central), bytes.begin() + long(end));
        b[copy + 46] = uint8_t(rename);
        b.insert(b.end(), bytes.begin() + long(end), bytes.end());
        const uint16_t count = uint16_t(b[b.size() - 12] | b[b.size() - 11] << 8) * 2;
        b[b.size() - 12] = uint8_t(count), b[b.size() - 11] = uint8_t(count >> 8);
        b[b.size() - 14] = uint8_t(count), b[b.size() - 13] = uint8_t(count >> 8);
        const uint32_t size = uint32_t(2 * (end - central));
        for (int i = 0; i < 4; ++i)
            b[b.size() - 10 + i] = uint8_t(size >> (8 * i));
        return b;
    };
    for (const char rename : {'a', 'x'}) {
        try {
            ZipArchive zip(std::make_shared<MemorySource>(listedTwice(rename)));
            ADD_FAILURE() << "read with " << zip.entries().size() << " entries";
        } catch (const FormatError &e) {
            EXPECT_NE(std::string(e.what()).find("listed twice"), std::string::npos) << e.what();
        }
    }
    // A member whose data would run into the next one's.
    auto grown = bytes;
    const uint32_t size = uint32_t(text.size() + 40);
    for (int i = 0; i < 4; ++i)
        grown[central + 20 + i] = grown[central + 24 + i] = uint8_t(size >> (8 * i));
    EXPECT_THROW(ZipArchive(std::make_shared<MemorySource>(grown)), FormatError);
    EXPECT_EQ(member(bytes, "a.txt"), text);
}

TEST_F(AaptZip, AFileCutShortWhileMappedIsRefusedNotACrash)
{
    std::vector<Member> members = {
        {"AndroidManifest.xml", readMember(fixturePath("label-zh.apk"), "AndroidManifest.xml")},
        {"assets/padding", std::vector<uint8_t>(256 << 10, 'p'), false}};
    const std::string path = dir.filePath("cut.apk").toStdString();
    writeZip(path, members);
    EXPECT_EXIT(
        {
            const auto mapped = std::make_shared<aapt::MappedFile>(path);
            if (truncate(path.c_str(), 100) != 0)
                std::_Exit(2);
            try {
                aapt::badgingReportForArchive(mapped);
            } catch (const FormatError &) {
            }
            std::_Exit(aapt::MappedFile::anyCutShort() ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
