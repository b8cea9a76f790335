// Runs the built 7za on the committed IPA fixtures, the way the program does: three
// extractions into one scratch folder.
#include "tool_run.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

namespace {

const QString kIpaDir = QStringLiteral(TAVREL_FIXTURES_DIR "/ipa/");

ToolRun extract(const QString &ipa, const QString &outDir, const QString &member, bool recursive = true)
{
    QStringList args{"x", "-y"};
    if (recursive)
        args << "-r";
    args << ipa << "-o" + outDir;
    if (!member.isEmpty())
        args << member;
    return runTool("7za", args);
}

QStringList threeRuns(const QString &ipa, const QString &outDir)
{
    for (const char *member : {"iTunesMetadata.plist", "InfoPlist.strings", "info.plist"}) {
        const ToolRun r = extract(ipa, outDir, member);
        EXPECT_EQ(r.exitCode, 0) << member << ": " << r.err.toStdString();
    }
    return treeOf(outDir);
}

QStringList filesOnly(const QStringList &tree)
{
    QStringList files;
    for (const auto &e : tree) {
        if (!e.endsWith('/'))
            files << e;
    }
    return files;
}

QByteArray memberBytes(const QString &ipa, const char *name)
{
    zip_t *z = zip_open(ipa.toLocal8Bit().constData(), ZIP_RDONLY, nullptr);
    if (!z)
        return {};
    QByteArray data;
    zip_stat_t st;
    if (zip_stat(z, name, 0, &st) == 0) {
        zip_file_t *f = zip_fopen(z, name, 0);
        data.resize(static_cast<qsizetype>(st.size));
        if (!f || zip_fread(f, data.data(), st.size) != static_cast<zip_int64_t>(st.size))
            data.clear();
        if (f)
            zip_fclose(f);
    }
    zip_discard(z);
    return data;
}

} // namespace

TEST(ZipExtract, ThreeRunsBringOutEveryPropertyListAtItsPath)
{
    struct Case
    {
        const char *ipa;
        QStringList files;
    } cases[] = {
        {"store_app.ipa",
         {"Payload/Demo.app/Frameworks/Kit.framework/Info.plist", "Payload/Demo.app/Info.plist",
          "Payload/Demo.app/PlugIns/Share.appex/Info.plist", "Payload/Demo.app/en.lproj/InfoPlist.strings",
          "Payload/Demo.app/zh-Hans.lproj/InfoPlist.strings", "iTunesMetadata.plist"}},
        {"nested_app.ipa",
         {"Payload/Host.app/Info.plist", "Payload/Host.app/Watch/Companion.app/Info.plist",
          "Payload/Host.app/zh_CN.lproj/InfoPlist.strings"}},
        {"caps_bundle.ipa",
         {"Payload/X.APP/INFO.PLIST", "Payload/X.APP/zh-Hans.lproj/InfoPlist.strings",
          "iTunesMetadata.plist"}},
        {"metadata_only.ipa", {"iTunesMetadata.plist"}},
        {"zip64.ipa", {"Payload/Big64.app/Info.plist"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ipa);
        QTemporaryDir tmp;
        const QString out = tmp.filePath("scratch/temp/");
        EXPECT_EQ(filesOnly(threeRuns(kIpaDir + c.ipa, out)), c.files);
    }

    // The bytes are the member's own.
    QTemporaryDir tmp;
    const QString out = tmp.filePath("temp");
    threeRuns(kIpaDir + "store_app.ipa", out);
    for (const char *name : {"Payload/Demo.app/Info.plist", "Payload/Demo.app/en.lproj/InfoPlist.strings"}) {
        const QByteArray expected = memberBytes(kIpaDir + "store_app.ipa", name);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(readAll(out + "/" + name), expected) << name;
    }
    const QByteArray zip64 = memberBytes(kIpaDir + "zip64.ipa", "Payload/Big64.app/Info.plist");
    QTemporaryDir tmp64;
    extract(kIpaDir + "zip64.ipa", tmp64.path(), "info.plist");
    EXPECT_EQ(readAll(tmp64.filePath("Payload/Big64.app/Info.plist")), zip64);
}

TEST(ZipExtract, WhatComesOutIsPrivateWhateverTheUmask)
{
    QTemporaryDir tmp;
    const QString out = tmp.filePath("scratch/temp");
    const mode_t earlier = ::umask(0);
    extract(kIpaDir + "store_app.ipa", out, "itunesmetadata.plist");
    extract(kIpaDir + "store_app.ipa", out, "info.plist");
    ::umask(earlier);
    for (const char *path :
         {"", "/Payload", "/Payload/Demo.app", "/iTunesMetadata.plist", "/Payload/Demo.app/Info.plist"}) {
        struct stat info;
        ASSERT_EQ(::lstat(QFile::encodeName(out + path).constData(), &info), 0) << path;
        EXPECT_EQ(info.st_mode & 0777, S_ISDIR(info.st_mode) ? 0700u : 0600u) << path;
    }
}

TEST(ZipExtract, MembersAreChosenByNameWildcardAndRecursion)
{
    const QString ipa = kIpaDir + "store_app.ipa";
    struct Case
    {
        const char *member;
        bool recursive;
        QStringList files;
    } cases[] = {
        {"*.strings",
         true,
         {"Payload/Demo.app/Settings.bundle/en.lproj/Root.strings",
          "Payload/Demo.app/en.lproj/InfoPlist.strings", "Payload/Demo.app/zh-Hans.lproj/InfoPlist.strings"}},
        {"ZH-HANS.LPROJ/infoplist.STRINGS", true, {"Payload/Demo.app/zh-Hans.lproj/InfoPlist.strings"}},
        {"itunesmetadata.plist", false, {"iTunesMetadata.plist"}},
        {"info.plist", false, {}},
        {"Info.pl?st",
         true,
         {"Payload/Demo.app/Frameworks/Kit.framework/Info.plist", "Payload/Demo.app/Info.plist",
          "Payload/Demo.app/PlugIns/Share.appex/Info.plist"}},
        {"nothing.plist", true, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.member);
        QTemporaryDir tmp;
        const ToolRun r = extract(ipa, tmp.path(), c.member, c.recursive);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(filesOnly(treeOf(tmp.path())), c.files);
    }
}

TEST(ZipExtract, ReplacesExistingFilesWithoutWritingThroughLinks)
{
    QTemporaryDir tmp;
    const QString out = tmp.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out + "/Payload/Demo.app"));
    ASSERT_TRUE(writeAll(out + "/Payload/Demo.app/Info.plist", "an earlier package's list, much longer"));
    ASSERT_TRUE(writeAll(tmp.filePath("victim"), "untouched"));
    ASSERT_TRUE(QFile::link(tmp.filePath("victim"), out + "/iTunesMetadata.plist"));

    EXPECT_EQ(extract(kIpaDir + "store_app.ipa", out, "info.plist").exitCode, 0);
    EXPECT_EQ(extract(kIpaDir + "store_app.ipa", out, "iTunesMetadata.plist").exitCode, 0);

    EXPECT_EQ(readAll(out + "/Payload/Demo.app/Info.plist"),
              memberBytes(kIpaDir + "store_app.ipa", "Payload/Demo.app/Info.plist"));
    EXPECT_FALSE(QFileInfo(out + "/iTunesMetadata.plist").isSymLink());
    EXPECT_TRUE(readAll(out + "/iTunesMetadata.plist").startsWith("<?xml"));
    EXPECT_EQ(readAll(tmp.filePath("victim")), "untouched");

    // A folder link planted in the output folder is refused, not followed.
    QTemporaryDir tmp2;
    ASSERT_TRUE(QDir().mkpath(tmp2.filePath("outside")));
    ASSERT_TRUE(QDir().mkpath(tmp2.filePath("out")));
    ASSERT_TRUE(QFile::link(tmp2.filePath("outside"), tmp2.filePath("out/Payload")));
    const ToolRun r = extract(kIpaDir + "store_app.ipa", tmp2.filePath("out"), "info.plist");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("link")) << r.err.toStdString();
    EXPECT_TRUE(treeOf(tmp2.filePath("outside")).isEmpty());
}

TEST(ZipExtract, NothingLeavesTheOutputFolder)
{
    const QString absolute = QStringLiteral("/tmp/tavrel-absolute");
    QDir(absolute).removeRecursively();
    QTemporaryDir tmp;
    const QString out = tmp.filePath("a/b/out");

    for (const QString &member : {QStringLiteral("info.plist"), QString()}) {
        SCOPED_TRACE(member.toStdString());
        const ToolRun r = extract(kIpaDir + "traversal.ipa", out, member);
        EXPECT_EQ(r.exitCode, 1);
        for (const char *name :
             {"'../Info.plist'", "'Payload/../../evil/Info.plist'", "'/tmp/tavrel-absolute/Info.plist'",
              "'..\\..\\info.plist'", "'Payload/Link.app/Info.plist'"})
            EXPECT_TRUE(r.err.contains(name)) << name << " in " << r.err.toStdString();
        EXPECT_EQ(filesOnly(treeOf(tmp.path())), (QStringList{"a/b/out/Payload/Safe.app/Info.plist",
                                                              "a/b/out/Payload/Trap.app/Info.plist"}));
    }
    EXPECT_FALSE(QFileInfo::exists(absolute));
    EXPECT_FALSE(QFileInfo(out + "/Payload/Trap.app").isSymLink());
}

TEST(ZipExtract, OversizeMemberIsNotWritten)
{
    QTemporaryDir tmp;
    const ToolRun r = extract(kIpaDir + "oversize.ipa", tmp.path(), "*");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Payload/Big.app/Info.plist")) << r.err.toStdString();
    EXPECT_EQ(filesOnly(treeOf(tmp.path())), QStringList{"Payload/Big.app/zh-Hans.lproj/InfoPlist.strings"});

    // Sizes in the headers are not trusted: the limit holds for what really comes out.
    QTemporaryDir liar;
    const ToolRun lied = extract(kIpaDir + "lying_size.ipa", liar.path(), "info.plist");
    EXPECT_EQ(lied.exitCode, 1);
    EXPECT_TRUE(lied.err.contains("Payload/Liar.app/Info.plist")) << lied.err.toStdString();
    EXPECT_TRUE(filesOnly(treeOf(liar.path())).isEmpty());
}

TEST(ZipExtract, BadArchivesFailClearlyAndLeaveNoFiles)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(writeAll(tmp.filePath("zero.ipa"), {}));
    ASSERT_EQ(::mkfifo(tmp.filePath("pipe.ipa").toLocal8Bit().constData(), 0600), 0);
    struct Case
    {
        QString ipa;
        const char *message;
    } cases[] = {
        {tmp.filePath("missing.ipa"), "cannot find"},
        {tmp.filePath("zero.ipa"), "not a zip"},
        {tmp.path(), "folder"},
        {tmp.filePath("pipe.ipa"), "not a regular file"},
        {QStringLiteral("/dev/zero"), "not a regular file"},
        {kIpaDir + "not_a_zip.ipa", "not a zip"},
        {kIpaDir + "truncated.ipa", "not a zip"},
        {kIpaDir + "corrupt_member.ipa", "corrupted"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ipa.toStdString());
        QTemporaryDir out;
        const ToolRun r = extract(c.ipa, out.path(), "*");
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        // The corrupted member is dropped whole; its sound neighbour still comes out.
        const QStringList expected =
            c.ipa.endsWith("corrupt_member.ipa") ? QStringList{"iTunesMetadata.plist"} : QStringList{};
        EXPECT_EQ(filesOnly(treeOf(out.path())), expected);
    }

    // A readable archive without matches still makes the output folder; one that cannot
    // be made is an error.
    QTemporaryDir out;
    const ToolRun empty = extract(kIpaDir + "empty.ipa", out.filePath("temp"), "info.plist");
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(treeOf(out.path()), QStringList{"temp/"});
    ASSERT_TRUE(writeAll(out.filePath("file"), "x"));
    const ToolRun blocked = extract(kIpaDir + "store_app.ipa", out.filePath("file"), "info.plist");
    EXPECT_EQ(blocked.exitCode, 2);
    EXPECT_TRUE(blocked.err.contains("output folder")) << blocked.err.toStdString();
}

TEST(ZipExtract, CommandLineErrors)
{
    EXPECT_EQ(runTool("7za", {}).exitCode, 7);
    EXPECT_EQ(runTool("7za", {"a", "x.zip"}).exitCode, 7);
    EXPECT_EQ(runTool("7za", {"x", "-y", "-q", kIpaDir + "store_app.ipa"}).exitCode, 7);
    EXPECT_EQ(runTool("7za", {"x", "-o"}).exitCode, 7);
    EXPECT_EQ(runTool("7za", {"x", "-y"}).exitCode, 7);
}
