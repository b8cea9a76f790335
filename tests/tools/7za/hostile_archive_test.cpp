// Archives made to exhaust 7za: it must end within 512 MiB and its total bound, with a
// message, writing only whole members.
#include "tool_run.h"
#include "zip_extract.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zip.h>

namespace {

// Writes a zip archive whose members all hold `size` zero bytes (deflated to almost
// nothing).
bool writeArchive(const QString &path, const QStringList &names, qsizetype size)
{
    zip_t *z = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    if (!z)
        return false;
    const QByteArray data(size, '\0');
    bool ok = true;
    for (const auto &name : names) {
        zip_source_t *src = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
        ok = ok && src && zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8) >= 0;
    }
    return zip_close(z) == 0 && ok;
}

// Rewrites every size the headers give for uncompressed data to `claimed`.
QByteArray withClaimedSizes(QByteArray zip, quint32 claimed)
{
    auto patch = [&zip, claimed](const QByteArray &signature, qsizetype sizeAt) {
        for (qsizetype at = zip.indexOf(signature); at >= 0; at = zip.indexOf(signature, at + 4)) {
            for (int i = 0; i < 4; ++i)
                zip[at + sizeAt + i] = char(claimed >> (8 * i) & 0xFF);
        }
    };
    patch(QByteArray("PK\x03\x04", 4), 22);
    patch(QByteArray("PK\x01\x02", 4), 24);
    return zip;
}

qint64 bytesBelow(const QString &root)
{
    qint64 total = 0;
    for (const auto &entry : treeOf(root)) {
        if (!entry.endsWith('/'))
            total += QFileInfo(root + "/" + entry).size();
    }
    return total;
}

} // namespace

TEST(ZipExtractHostile, AllMembersOfARunTogetherStayWithinTheTotalBound)
{
    // Twenty lists of 4 MiB each: 80 MiB from an archive of a few hundred kilobytes.
    QTemporaryDir tmp;
    QStringList names;
    for (int i = 0; i < 20; ++i)
        names << QStringLiteral("Payload/App%1.app/Info.plist").arg(i, 2, 10, QChar('0'));
    ASSERT_TRUE(writeArchive(tmp.filePath("many.ipa"), names, 4 << 20));
    ASSERT_LT(QFileInfo(tmp.filePath("many.ipa")).size(), 1 << 20);

    const QString out = tmp.filePath("out");
    const ToolRun r = runTool("7za", {"x", "-y", "-r", tmp.filePath("many.ipa"), "-o" + out, "info.plist"},
                              hostileInputLimits());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("stopped at 'Payload/App16.app/Info.plist'")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QString::number(za::kMaxTotalSize))) << r.err.toStdString();
    // Sixteen whole members make the 64 MiB; the seventeenth is not left half-written.
    QStringList expected;
    for (int i = 0; i < 16; ++i)
        expected << names[i];
    QStringList files;
    for (const auto &entry : treeOf(out)) {
        if (!entry.endsWith('/'))
            files << entry;
    }
    EXPECT_EQ(files, expected);
    EXPECT_EQ(bytesBelow(out), qint64(za::kMaxTotalSize));
}

TEST(ZipExtractHostile, DeepMembersNeedNeitherManyDescriptorsNorMuchMemory)
{
    // 1,500 folders deep: the walk keeps a few folders open, not one per level.
    QTemporaryDir tmp;
    const QString deep = QStringLiteral("a/").repeated(1500) + "Info.plist";
    ASSERT_TRUE(writeArchive(tmp.filePath("deep.ipa"), {deep, "Payload/X.app/Info.plist"}, 16));
    ChildLimits limits = hostileInputLimits();
    limits.openFiles = 256;
    const QString out = tmp.filePath("out");
    const ToolRun r =
        runTool("7za", {"x", "-y", "-r", tmp.filePath("deep.ipa"), "-o" + out, "info.plist"}, limits);
    EXPECT_EQ(r.exitCode, 0) << r.err.left(300).toStdString();
    EXPECT_EQ(readAll(out + "/" + deep), QByteArray(16, '\0'));
    EXPECT_EQ(readAll(out + "/Payload/X.app/Info.plist"), QByteArray(16, '\0'));
}

TEST(ZipExtractHostile, RunsThatWouldCreateTooManyFilesOrFoldersStopEarly)
{
    QTemporaryDir tmp;
    // Twelve thousand empty lists, each in a folder of its own.
    QStringList names;
    for (int i = 0; i < 12000; ++i)
        names << QStringLiteral("Payload/A%1.app/Info.plist").arg(i);
    ASSERT_TRUE(writeArchive(tmp.filePath("many.ipa"), names, 0));
    // One list 30,000 folders deep.
    ASSERT_TRUE(
        writeArchive(tmp.filePath("deep.ipa"), {QStringLiteral("a/").repeated(30000) + "Info.plist"}, 1));

    const QString out = tmp.filePath("many");
    const ToolRun r = runTool("7za", {"x", "-y", "-r", tmp.filePath("many.ipa"), "-o" + out, "info.plist"},
                              hostileInputLimits());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("more than " + QString::number(za::kMaxEntries))) << r.err.toStdString();
    EXPECT_LE(treeOf(out).size(), qsizetype(za::kMaxEntries));
    EXPECT_GT(treeOf(out).size(), qsizetype(za::kMaxEntries) - 10);

    // Refused before a single folder is made, and named without its 60 KB.
    const QString deepOut = tmp.filePath("deep");
    const ToolRun d =
        runTool("7za", {"x", "-y", "-r", tmp.filePath("deep.ipa"), "-o" + deepOut, "info.plist"},
                hostileInputLimits());
    EXPECT_EQ(d.exitCode, 1);
    EXPECT_TRUE(d.err.contains("stopped at 'a/a/a/")) << d.err.left(400).toStdString();
    EXPECT_LT(d.err.size(), 1000);
    EXPECT_TRUE(treeOf(deepOut).isEmpty());
}

TEST(ZipExtractHostile, MembersThatLieAboutTheirSizeAreReadOnlyUpToARunBound)
{
    // Five lists of 64 MiB and a byte, each claiming 400 bytes: each is refused only once
    // 64 MiB of it have come out, and the run ends once it has expanded 256 MiB in all.
    QTemporaryDir tmp;
    QStringList names;
    for (int i = 0; i < 5; ++i)
        names << QStringLiteral("Payload/Liar%1.app/Info.plist").arg(i);
    ASSERT_TRUE(writeArchive(tmp.filePath("honest.ipa"), names, (64 << 20) + 1));
    ASSERT_TRUE(
        writeAll(tmp.filePath("liars.ipa"), withClaimedSizes(readAll(tmp.filePath("honest.ipa")), 400)));

    const QString out = tmp.filePath("out");
    const ToolRun r = runTool("7za", {"x", "-y", "-r", tmp.filePath("liars.ipa"), "-o" + out, "info.plist"},
                              hostileInputLimits());
    EXPECT_EQ(r.exitCode, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(r.err.contains("skipped '" + names[i] + "'")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("stopped at '" + names[3] + "'") &&
                r.err.contains(QString::number(za::kMaxExpanded)))
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(names[4])) << r.err.toStdString();
    QStringList files;
    for (const auto &entry : treeOf(out)) {
        if (!entry.endsWith('/'))
            files << entry;
    }
    EXPECT_TRUE(files.isEmpty()) << files.join(' ').toStdString();
}
