// Lists made to exhaust plistconvert: each must be refused quickly, within 512 MiB, with a
// message and status 1, leaving the output folder as it was.
#include "../7za/tool_run.h"
#include "binary_shape.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// A binary list from raw objects: four-byte offsets, references of `refSize` bytes.
QByteArray binaryList(const QList<QByteArray> &objects, int refSize)
{
    QByteArray out("bplist00");
    QList<quint32> offsets;
    for (const auto &o : objects) {
        offsets << quint32(out.size());
        out += o;
    }
    const quint64 table = quint64(out.size());
    auto bigEndian = [&out](quint64 v, int width) {
        for (int i = width - 1; i >= 0; --i)
            out += char(v >> (8 * i) & 0xFF);
    };
    for (const quint32 o : offsets)
        bigEndian(o, 4);
    out += QByteArray(6, '\0');
    out += char(4);
    out += char(refSize);
    bigEndian(quint64(objects.size()), 8);
    bigEndian(0, 8);
    bigEndian(table, 8);
    return out;
}

// An array of `count` references, all to `child`.
QByteArray arrayOf(int count, quint64 child, int refSize)
{
    QByteArray o(1, char(0xA0 | count));
    for (int k = 0; k < count; ++k) {
        for (int i = refSize - 1; i >= 0; --i)
            o += char(child >> (8 * i) & 0xFF);
    }
    return o;
}

QByteArray wideStrings(int keys)
{
    QByteArray text;
    for (int i = 0; i < keys; ++i)
        text += "k" + QByteArray::number(i) + "=a;";
    return text;
}

ToolRun convert(const QString &src, const QString &out)
{
    return runTool("plistconvert", {"-convert", "xml1", "-s", "-o", out, src}, hostileInputLimits());
}

} // namespace

TEST(PlistConvertHostile, ListsThatExpandOrNestBeyondBoundsAreRefused)
{
    QTemporaryDir tmp;
    // Each object an array holding the next one twice: 40 objects stand for 2^40 values.
    QList<QByteArray> doubling;
    for (int i = 0; i < 40; ++i)
        doubling << arrayOf(2, quint64(i + 1), 1);
    doubling << QByteArray("\x51"
                           "a",
                           2);
    // Arrays inside arrays, far deeper than any stack allows.
    QList<QByteArray> chain;
    for (int i = 0; i < 20000; ++i)
        chain << arrayOf(1, quint64(i + 1), 2);
    chain << QByteArray(1, char(0xA0));
    // An object that contains itself.
    const QList<QByteArray> loop{arrayOf(1, 0, 1)};

    struct Case
    {
        const char *name;
        QByteArray bytes;
        const char *message;
    } cases[] = {
        {"doubling.bplist", binaryList(doubling, 1), "objects"},
        {"chain.bplist", binaryList(chain, 2), "nested"},
        {"loop.bplist", binaryList(loop, 1), "contains itself"},
        {"deep.plist",
         "<?xml version=\"1.0\"?><plist version=\"1.0\">" + QByteArray("<array>").repeated(100000) +
             QByteArray("</array>").repeated(100000) + "</plist>",
         "nested"},
        {"deep.strings", "a = " + QByteArray("(").repeated(100000) + ";", "nested"},
        // Within the depth and value bounds, yet a tab per level on each of 200,000 lines: 100 MB.
        {"indented.plist",
         QByteArray("(").repeated(500) + QByteArray("a,").repeated(200000) + QByteArray(")").repeated(500),
         "larger than"},
        // A dictionary of 130,000 keys: libplist would take time in the square of that.
        {"wide.strings", wideStrings(130000), "values"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeAll(tmp.filePath(c.name), c.bytes));
        QTemporaryDir out;
        ASSERT_TRUE(writeAll(out.filePath("Info.xml"), "earlier"));
        const ToolRun r = convert(tmp.filePath(c.name), out.filePath("Info.xml"));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_EQ(treeOf(out.path()), QStringList{"Info.xml"});
        EXPECT_EQ(readAll(out.filePath("Info.xml")), "earlier");
    }
}

TEST(PlistConvertHostile, SharedObjectsWithinBoundsAreWrittenOutWhole)
{
    // Apple's writer stores a repeated string once; every place that refers to it gets it.
    QTemporaryDir tmp;
    const QList<QByteArray> shared{arrayOf(3, 1, 1), QByteArray("\x52"
                                                                "ab",
                                                                3)};
    ASSERT_TRUE(writeAll(tmp.filePath("shared.bplist"), binaryList(shared, 1)));
    const ToolRun r = convert(tmp.filePath("shared.bplist"), tmp.filePath("out.xml"));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(readAll(tmp.filePath("out.xml"))
                    .contains("<array>\n\t<string>ab</string>\n\t<string>ab</string>\n\t<string>ab</string>\n"
                              "</array>"));

    // The table's own numbers are checked before anything is read through them.
    QByteArray badRoot = binaryList(shared, 1);
    badRoot[badRoot.size() - 9] = 7; // root object 7 of 2
    QByteArray badRef = binaryList({arrayOf(1, 9, 1)}, 1);
    QByteArray hugeCount = binaryList({arrayOf(1, 0, 1)}, 1);
    hugeCount[hugeCount.size() - 24] = char(0x7F); // claims 2^62 objects and more
    for (const QByteArray &bytes : {badRoot, badRef, hugeCount}) {
        std::string error;
        EXPECT_FALSE(pc::checkBinaryShape(std::string_view(bytes.constData(), size_t(bytes.size())), error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(PlistConvertHostile, SourcesThatAreNotRegularFilesAreRefusedAtOnce)
{
    QTemporaryDir tmp;
    const QString fifo = tmp.filePath("Info.plist");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    for (const QString &src : {fifo, QStringLiteral("/dev/zero")}) {
        SCOPED_TRACE(src.toStdString());
        ChildLimits limits = hostileInputLimits();
        limits.waitMs = 10000;
        const ToolRun r =
            runTool("plistconvert", {"-convert", "xml1", "-s", "-o", tmp.filePath("out.xml"), src}, limits);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("not a regular file")) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(tmp.filePath("out.xml")));
    }
}

TEST(PlistConvertHostile, InputsThatOnceBrokeTheToolEndCleanly)
{
    const QDir dir(QStringLiteral(TAVREL_FIXTURES_DIR "/plist/fuzz-regressions"));
    const QStringList inputs = dir.entryList(QDir::Files);
    ASSERT_FALSE(inputs.isEmpty());
    for (const auto &name : inputs) {
        SCOPED_TRACE(name.toStdString());
        QTemporaryDir out;
        const ToolRun r = convert(dir.filePath(name), out.filePath("Info.xml"));
        EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1) << r.exitCode << " " << r.err.toStdString();
        EXPECT_EQ(r.exitCode == 1, !r.err.isEmpty());
        EXPECT_EQ(treeOf(out.path()), r.exitCode == 0 ? QStringList{"Info.xml"} : QStringList{});
    }
}
