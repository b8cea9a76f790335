// Runs the built plistconvert the way the program does, on lists made here and on the
// property lists of the IPA fixtures.
#include "tool_run.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <plist/plist.h>

namespace {

const QString kIpaDir = QStringLiteral(TAVREL_FIXTURES_DIR "/ipa/");

ToolRun convert(const QString &src, const QString &out)
{
    return runTool("plistconvert", {"-convert", "xml1", "-s", "-o", out, src});
}

QByteArray toBinary(plist_t root)
{
    char *data = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &data, &length);
    QByteArray bytes(data, static_cast<qsizetype>(length));
    plist_to_bin_free(data);
    return bytes;
}

QByteArray toXml(plist_t root)
{
    char *data = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &data, &length);
    QByteArray bytes(data, static_cast<qsizetype>(length));
    plist_to_xml_free(data);
    return bytes;
}

// One value of every kind, in dictionary order.
plist_t everyKind()
{
    plist_t root = plist_new_dict();
    plist_dict_set_item(root, "Name & <Title>", plist_new_string("Tom & Jerry <1>"));
    plist_dict_set_item(root, "Count", plist_new_uint(42));
    plist_dict_set_item(root, "Negative", plist_new_uint(static_cast<uint64_t>(-7)));
    plist_dict_set_item(root, "Ratio", plist_new_real(1.5));
    plist_dict_set_item(root, "Yes", plist_new_bool(1));
    plist_dict_set_item(root, "No", plist_new_bool(0));
    plist_dict_set_item(root, "When", plist_new_date(737640000, 0)); // 2024-05-17 12:00 UTC
    const QByteArray blob(60, '\x01');
    plist_dict_set_item(root, "Blob", plist_new_data(blob.constData(), static_cast<uint64_t>(blob.size())));
    plist_dict_set_item(root, "Empty", plist_new_dict());
    plist_t families = plist_new_array();
    plist_array_append_item(families, plist_new_uint(1));
    plist_array_append_item(families, plist_new_uint(2));
    plist_dict_set_item(root, "UIDeviceFamily", families);
    plist_dict_set_item(root, "None", plist_new_array());
    return root;
}

const char *const kEveryKindXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                  "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                                  "<plist version=\"1.0\">\n"
                                  "<dict>\n"
                                  "\t<key>Name &amp; &lt;Title&gt;</key>\n"
                                  "\t<string>Tom &amp; Jerry &lt;1&gt;</string>\n"
                                  "\t<key>Count</key>\n"
                                  "\t<integer>42</integer>\n"
                                  "\t<key>Negative</key>\n"
                                  "\t<integer>-7</integer>\n"
                                  "\t<key>Ratio</key>\n"
                                  "\t<real>1.5</real>\n"
                                  "\t<key>Yes</key>\n"
                                  "\t<true/>\n"
                                  "\t<key>No</key>\n"
                                  "\t<false/>\n"
                                  "\t<key>When</key>\n"
                                  "\t<date>2024-05-17T12:00:00Z</date>\n"
                                  "\t<key>Blob</key>\n"
                                  "\t<data>\n"
                                  "\tAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEB\n"
                                  "\tAQEBAQEBAQEB\n"
                                  "\t</data>\n"
                                  "\t<key>Empty</key>\n"
                                  "\t<dict/>\n"
                                  "\t<key>UIDeviceFamily</key>\n"
                                  "\t<array>\n"
                                  "\t\t<integer>1</integer>\n"
                                  "\t\t<integer>2</integer>\n"
                                  "\t</array>\n"
                                  "\t<key>None</key>\n"
                                  "\t<array/>\n"
                                  "</dict>\n"
                                  "</plist>\n";

} // namespace

TEST(PlistConvert, BinaryAndXmlListsBecomeAppleStyleXml)
{
    QTemporaryDir tmp;
    plist_t root = everyKind();
    ASSERT_TRUE(writeAll(tmp.filePath("every.bplist"), toBinary(root)));
    ASSERT_TRUE(writeAll(tmp.filePath("every.plist"), toXml(root)));
    plist_free(root);

    for (const char *src : {"every.bplist", "every.plist"}) {
        SCOPED_TRACE(src);
        const ToolRun r = convert(tmp.filePath(src), tmp.filePath("Info.xml"));
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(QString::fromUtf8(readAll(tmp.filePath("Info.xml"))).toStdString(), kEveryKindXml);
    }

    // Integers beyond the signed range keep their value.
    plist_t big = nullptr;
    const QByteArray bigXml = "<plist version=\"1.0\"><array><integer>18446744073709551615</integer>"
                              "<integer>-9223372036854775808</integer></array></plist>";
    plist_from_xml(bigXml.constData(), static_cast<uint32_t>(bigXml.size()), &big);
    ASSERT_TRUE(big);
    ASSERT_TRUE(writeAll(tmp.filePath("big.bplist"), toBinary(big)));
    plist_free(big);
    EXPECT_EQ(convert(tmp.filePath("big.bplist"), tmp.filePath("big.xml")).exitCode, 0);
    const QByteArray out = readAll(tmp.filePath("big.xml"));
    EXPECT_TRUE(out.contains("<integer>18446744073709551615</integer>")) << out.toStdString();
    EXPECT_TRUE(out.contains("<integer>-9223372036854775808</integer>")) << out.toStdString();
}

TEST(PlistConvert, FixturePropertyListsGiveTheTextTheReaderSearches)
{
    struct Case
    {
        const char *ipa;
        const char *member;
        const char *path;
        const char *expected;
    } cases[] = {
        {"store_app.ipa", "info.plist", "Payload/Demo.app/Info.plist",
         "<key>CFBundleDisplayName</key>\n\t<string>Tom &amp; Jerry</string>"},
        {"store_app.ipa", "info.plist", "Payload/Demo.app/Info.plist",
         "<key>CFBundleVersion</key>\n\t<string>45</string>"},
        {"store_app.ipa", "InfoPlist.strings", "Payload/Demo.app/zh-Hans.lproj/InfoPlist.strings",
         "<key>CFBundleDisplayName</key>\n\t<string>猫和老鼠</string>"},
        {"store_app.ipa", "InfoPlist.strings", "Payload/Demo.app/en.lproj/InfoPlist.strings",
         "<key>CFBundleDisplayName</key>\n\t<string>Tom &amp; Jerry (EN)</string>"},
        {"store_app.ipa", "iTunesMetadata.plist", "iTunesMetadata.plist",
         "<key>softwareSupportedDeviceIds</key>\n\t<array>\n\t\t<integer>2</integer>\n\t\t<integer>9</"
         "integer>"},
        {"nested_app.ipa", "InfoPlist.strings", "Payload/Host.app/zh_CN.lproj/InfoPlist.strings",
         "<key>CFBundleDisplayName</key>\n\t<string>宿主\"应用\"</string>"},
        {"nested_app.ipa", "info.plist", "Payload/Host.app/Watch/Companion.app/Info.plist",
         "<key>CFBundleShortVersionString</key>\n\t<string>2.0</string>"},
        {"caps_bundle.ipa", "InfoPlist.strings", "Payload/X.APP/zh-Hans.lproj/InfoPlist.strings",
         "<key>CFBundleDisplayName</key>\n\t<string>大写\n应用</string>"},
        {"caps_bundle.ipa", "info.plist", "Payload/X.APP/INFO.PLIST",
         "<key>UIDeviceFamily</key>\n\t<array>\n\t\t<integer>2</integer>"},
        {"metadata_only.ipa", "iTunesMetadata.plist", "iTunesMetadata.plist",
         "<key>bundleDisplayName</key>\n\t<string>Only &amp; Metadata</string>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.ipa) + " " + c.path);
        QTemporaryDir tmp;
        const ToolRun x =
            runTool("7za", {"x", "-y", "-r", kIpaDir + c.ipa, "-o" + tmp.path() + "/", c.member});
        ASSERT_EQ(x.exitCode, 0) << x.err.toStdString();
        const ToolRun r = convert(tmp.filePath(c.path), tmp.filePath("Out.xml"));
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(
            QString::fromUtf8(readAll(tmp.filePath("Out.xml"))).contains(QString::fromUtf8(c.expected)))
            << readAll(tmp.filePath("Out.xml")).toStdString();
    }
}

TEST(PlistConvert, UnreadableInputLeavesNoOutput)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(writeAll(tmp.filePath("binary-junk"), QByteArray("\x00\x01\x02\xff\xfe", 5)));
    ASSERT_TRUE(writeAll(tmp.filePath("truncated.bplist"), QByteArray("bplist00\xd1\x01\x02", 11)));
    ASSERT_TRUE(writeAll(tmp.filePath("broken.plist"), "<?xml version=\"1.0\"?><plist><dict><key>a</key>"));
    ASSERT_TRUE(writeAll(tmp.filePath("broken.strings"), "\"CFBundleDisplayName\" = \"open"));
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("folder")));
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("out")));
    for (const char *src :
         {"binary-junk", "truncated.bplist", "broken.plist", "broken.strings", "missing", "folder"}) {
        SCOPED_TRACE(src);
        const ToolRun r = convert(tmp.filePath(src), tmp.filePath("out/Info.xml"));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(tmp.filePath(src))) << r.err.toStdString();
        EXPECT_TRUE(treeOf(tmp.filePath("out")).isEmpty());
    }

    // An earlier output is replaced only by a complete new one, and nothing else stays.
    ASSERT_TRUE(writeAll(tmp.filePath("out/Info.xml"), "earlier"));
    EXPECT_EQ(convert(tmp.filePath("broken.strings"), tmp.filePath("out/Info.xml")).exitCode, 1);
    EXPECT_EQ(readAll(tmp.filePath("out/Info.xml")), "earlier");
    ASSERT_TRUE(writeAll(tmp.filePath("good.strings"), "a = b;"));
    EXPECT_EQ(convert(tmp.filePath("good.strings"), tmp.filePath("out/Info.xml")).exitCode, 0);
    EXPECT_TRUE(readAll(tmp.filePath("out/Info.xml")).contains("<key>a</key>\n\t<string>b</string>"));
    EXPECT_EQ(treeOf(tmp.filePath("out")), QStringList{"Info.xml"});
    // A name nothing has yet is taken directly, with nothing left beside it either.
    EXPECT_EQ(convert(tmp.filePath("good.strings"), tmp.filePath("out/Fresh.xml")).exitCode, 0);
    EXPECT_EQ(treeOf(tmp.filePath("out")), (QStringList{"Fresh.xml", "Info.xml"}));
    EXPECT_EQ(readAll(tmp.filePath("out/Fresh.xml")), readAll(tmp.filePath("out/Info.xml")));
    // What it writes can be personal (the buyer's name): readable by its owner alone.
    EXPECT_EQ(QFile(tmp.filePath("out/Info.xml")).permissions() &
                  (QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther),
              QFile::ReadOwner);

    // An output folder that does not exist is an error, not a silent success.
    const ToolRun r = convert(tmp.filePath("good.strings"), tmp.filePath("nowhere/Info.xml"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
}

TEST(PlistConvert, CommandLine)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(writeAll(tmp.filePath("in.strings"), "a = b;"));
    EXPECT_EQ(runTool("plistconvert", {}).exitCode, 2);
    EXPECT_EQ(
        runTool("plistconvert", {"-convert", "binary1", "-o", tmp.filePath("x"), tmp.filePath("in.strings")})
            .exitCode,
        2);
    EXPECT_EQ(runTool("plistconvert", {"-convert", "xml1", "-o"}).exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("x")));
    // Without -o the source itself is replaced.
    EXPECT_EQ(runTool("plistconvert", {"-convert", "xml1", tmp.filePath("in.strings")}).exitCode, 0);
    EXPECT_TRUE(readAll(tmp.filePath("in.strings")).startsWith("<?xml"));
}

TEST(PlistConvert, SeveralListsConvertInOneRunInTheOrderGiven)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(writeAll(tmp.filePath("first.strings"), "name = first;"));
    ASSERT_TRUE(writeAll(tmp.filePath("second.strings"), "name = second;"));
    ASSERT_TRUE(writeAll(tmp.filePath("broken.strings"), "name = \"open"));
    ASSERT_TRUE(writeAll(tmp.filePath("other.strings"), "other = yes;"));
    auto convertAll = [&tmp](const QStringList &pairs) {
        QStringList args{"-convert", "xml1", "-s"};
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
            args << "-o" << tmp.filePath(pairs[i]) << tmp.filePath(pairs[i + 1]);
        return runTool("plistconvert", args);
    };

    // Two lists to one output: the later one wins, as two runs one after the other would give.
    ToolRun r =
        convertAll({"Info.xml", "first.strings", "Other.xml", "other.strings", "Info.xml", "second.strings"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(readAll(tmp.filePath("Info.xml")).contains("<string>second</string>"));
    EXPECT_TRUE(readAll(tmp.filePath("Other.xml")).contains("<key>other</key>"));

    // A list that fails is named and leaves its output as it was; the others are still converted.
    ASSERT_TRUE(QFile::remove(tmp.filePath("Other.xml")));
    r = convertAll({"Info.xml", "broken.strings", "Other.xml", "other.strings", "Missing.xml", "missing"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(tmp.filePath("broken.strings"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(tmp.filePath("missing"))) << r.err.toStdString();
    EXPECT_TRUE(readAll(tmp.filePath("Info.xml")).contains("<string>second</string>"));
    EXPECT_TRUE(readAll(tmp.filePath("Other.xml")).contains("<key>other</key>"));
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("Missing.xml")));

    // An output without its source, or two for one source, is a usage error: nothing is written.
    const QString out = tmp.filePath("Unused.xml");
    EXPECT_EQ(
        runTool("plistconvert", {"-convert", "xml1", "-o", out, tmp.filePath("first.strings"), "-o", out})
            .exitCode,
        2);
    EXPECT_EQ(
        runTool("plistconvert", {"-convert", "xml1", "-o", out, "-o", out, tmp.filePath("first.strings")})
            .exitCode,
        2);
    EXPECT_FALSE(QFileInfo::exists(out));
    // The one-list form still takes its -o after the source.
    EXPECT_EQ(
        runTool("plistconvert", {"-convert", "xml1", tmp.filePath("first.strings"), "-o", out}).exitCode, 0);
    EXPECT_TRUE(readAll(out).contains("<string>first</string>"));
}
