#include "text_plist.h"
#include "xml_writer.h"

#include <gtest/gtest.h>

using namespace pc;

namespace {

// The body of the XML written for a text list (between <plist> and </plist>), or the
// parser's error prefixed with "error: ".
std::string body(std::string_view text)
{
    std::string error;
    const PlistPtr root = parseTextPlist(text, error);
    if (!root)
        return "error: " + error;
    std::string xml;
    writeAppleXml(root.get(), [&xml](std::string_view piece) { xml += piece; });
    const size_t start = xml.find("<plist version=\"1.0\">\n") + 22;
    return xml.substr(start, xml.size() - start - 9);
}

std::string decoded(std::string_view bytes)
{
    std::string utf8, error;
    return decodeTextBytes(bytes, utf8, error) ? utf8 : "error: " + error;
}

} // namespace

TEST(PlistText, StringsFilesWithCommentsAndUnquotedKeys)
{
    EXPECT_EQ(body("/* Localized */\n\"CFBundleDisplayName\" = \"Demo\";\n// trailing\n"),
              "<dict>\n\t<key>CFBundleDisplayName</key>\n\t<string>Demo</string>\n</dict>\n");
    EXPECT_EQ(body("CFBundleDisplayName=Demo_1.0;NSCopyright = 'x/y:z';"),
              "<dict>\n\t<key>CFBundleDisplayName</key>\n\t<string>Demo_1.0</string>\n"
              "\t<key>NSCopyright</key>\n\t<string>x/y:z</string>\n</dict>\n");
    // "key"; stands for itself; the last entry may lack its ';'; a later key wins.
    EXPECT_EQ(
        body("\"OK\";\n a = 1;\n a = 2"),
        "<dict>\n\t<key>OK</key>\n\t<string>OK</string>\n\t<key>a</key>\n\t<string>2</string>\n</dict>\n");
    EXPECT_EQ(body(""), "<dict/>\n");
    EXPECT_EQ(body("  /* nothing */ // here\n"), "<dict/>\n");
}

TEST(PlistText, EscapesInQuotedStrings)
{
    struct Case
    {
        const char *text;
        const char *value;
    } cases[] = {
        {R"(k = "say \"hi\"";)", "say \"hi\""},
        {R"(k = "a\nb\tc\\d";)", "a\nb\tc\\d"},
        {R"(k = "\U1234\U00a9";)", "\u1234\u00a9"},
        {R"(k = "\UD83D\UDE00";)", "\U0001F600"}, // a surrogate pair makes one character
        {R"(k = "\UD83Dx";)", "\uFFFDx"},         // a lone half is replaced, not dropped silently
        {R"(k = "\101\60";)", "A0"},
        {R"(k = 'it''s';)", "error"},
        {R"(k = 'say "hi"';)", "say \"hi\""},
        {R"(k = "A & B <c>";)", "A &amp; B &lt;c&gt;"},
        {"k = \"汉字\";", "汉字"},
    };
    for (const auto &c : cases) {
        const std::string out = body(c.text);
        if (std::string_view(c.value) == "error")
            EXPECT_EQ(out.rfind("error: ", 0), 0u) << c.text;
        else
            EXPECT_EQ(out,
                      "<dict>\n\t<key>k</key>\n\t<string>" + std::string(c.value) + "</string>\n</dict>\n")
                << c.text;
    }
}

TEST(PlistText, OldStyleDictionariesArraysAndData)
{
    EXPECT_EQ(body("{ list = (one, \"two\", (), {}, ); nested = { k = v; }; bytes = <0fbd 77 1A>; }"),
              "<dict>\n"
              "\t<key>list</key>\n"
              "\t<array>\n\t\t<string>one</string>\n\t\t<string>two</string>\n\t\t<array/>\n\t\t<dict/>\n"
              "\t</array>\n"
              "\t<key>nested</key>\n\t<dict>\n\t\t<key>k</key>\n\t\t<string>v</string>\n\t</dict>\n"
              "\t<key>bytes</key>\n\t<data>\n\tD713Gg==\n\t</data>\n"
              "</dict>\n");
    EXPECT_EQ(body("(a, b)"), "<array>\n\t<string>a</string>\n\t<string>b</string>\n</array>\n");
    EXPECT_EQ(body("\"lonely\""), "<string>lonely</string>\n");
}

TEST(PlistText, MalformedTextIsRefusedWithItsLine)
{
    struct Case
    {
        const char *text;
        const char *error;
    } cases[] = {
        {"a = \"open;\nb = c;", "line 1: unterminated string"},
        {"a = b\nc = d;", "line 2: expected ';'"},
        {"a = b; /* never closed", "line 1: unterminated comment"},
        {"{\n a = b;\n", "line 1: '{' is never closed"},
        {"(a b)", "line 1: expected ',' or ')'"},
        {"(a,,b)", "unexpected ','"},
        {"k = <abc>;", "odd number"},
        {"k = <zz>;", "hexadecimal"},
        {"{ a = b; } extra", "after the end"},
        {"a = ;", "expected a string"},
        {"= b;", "expected a string"},
        {"a b", "expected '=' or ';'"},
    };
    for (const auto &c : cases) {
        const std::string out = body(c.text);
        EXPECT_NE(out.find(c.error), std::string::npos) << c.text << " gave " << out;
        EXPECT_EQ(out.rfind("error: ", 0), 0u) << c.text;
    }
    // Deep nesting fails cleanly instead of exhausting the stack.
    EXPECT_NE(body(std::string(100000, '(')).find("nested too deeply"), std::string::npos);
}

TEST(PlistText, DecodesUtf8AndUtf16WithByteOrderMarks)
{
    using namespace std::string_literals;
    EXPECT_EQ(decoded("\xEF\xBB\xBFk=v;"), "k=v;");
    EXPECT_EQ(decoded("\xFF\xFEk\0=\0\x2C\x54"s), "k=\u542C");
    EXPECT_EQ(decoded("\xFE\xFF\0k\0=\x54\x2C"s), "k=\u542C");
    EXPECT_EQ(decoded("\xFF\xFE\x3D\xD8\x00\xDE"s), "\U0001F600");
    // Without a mark, the zero byte of an ASCII first character gives the order away.
    EXPECT_EQ(decoded("k\0=\0v\0"s), "k=v");
    EXPECT_EQ(decoded("\0k\0=\0v"s), "k=v");

    EXPECT_EQ(decoded("k = \"\xC3\x28\";").rfind("error: ", 0), 0u);
    EXPECT_EQ(decoded("\xFF\xFEk\0="s).rfind("error: ", 0), 0u);
    EXPECT_EQ(decoded("\xFF\xFE\x3D\xD8k\0"s).rfind("error: ", 0), 0u);
}
