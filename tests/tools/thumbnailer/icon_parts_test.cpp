// The parts of the icon search that need no package: SVG path data, Apple's PNG variant, and
// the names an Info.plist gives to icon files.
#include "fuzz_input.h"
#include "ipa_icon.h"
#include "path_data.h"
#include "png_codec.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <plist/plist.h>

using namespace thumb;

namespace {

void expectBounds(const Bounds &b, const Bounds &expected, const char *what)
{
    EXPECT_NEAR(b.left, expected.left, 0.01) << what;
    EXPECT_NEAR(b.top, expected.top, 0.01) << what;
    EXPECT_NEAR(b.right, expected.right, 0.01) << what;
    EXPECT_NEAR(b.bottom, expected.bottom, 0.01) << what;
}

} // namespace

TEST(PathData, ReadsAbsoluteRelativeAndPackedNumbers)
{
    // A 10 x 10 square drawn four ways.
    for (const char *data :
         {"M0,0 L10,0 L10,10 L0,10 Z", "m0 0 h10 v10 h-10 z", "M0,0H10V10H0Z", "M0-0l10 0 0 10-10 0z"}) {
        const Path p = parsePathData(data);
        expectBounds(p.bounds(), {0, 0, 10, 10}, data);
        EXPECT_TRUE(p.contains({5, 5})) << data;
    }
    // "1.5.5" is two numbers; exponents count.
    expectBounds(parsePathData("M1.5.5L2e1,3").bounds(), {1.5, 0.5, 20, 3}, "packed");
}

TEST(PathData, ArcsAndCurvesStayWithinTheirShape)
{
    // A circle of radius 5 around (5, 5) as two arcs, flags written without separators.
    const Path circle = parsePathData("M0,5a5,5 0 1,0 10,0a5 5 0 10-10 0z");
    expectBounds(circle.bounds(), {0, 0, 10, 10}, "circle");
    EXPECT_TRUE(circle.contains({5, 5}));
    EXPECT_FALSE(circle.contains({0.5, 0.5}));
    // A smooth curve reflects the last control point.
    const Path s = parsePathData("M0,0 C0,10 10,10 10,0 S20,-10 20,0");
    EXPECT_LT(s.bounds().top, -5);
    EXPECT_GT(s.bounds().bottom, 5);
}

TEST(PathData, KeepsWhatCameBeforeBrokenData)
{
    expectBounds(parsePathData("M0,0 L10,10 L5").bounds(), {0, 0, 10, 10}, "broken");
    EXPECT_TRUE(parsePathData("").isEmpty());
    EXPECT_TRUE(parsePathData("X1,2").isEmpty());
    EXPECT_TRUE(parsePathData("M1e999,0 L1,1").isEmpty());
}

TEST(IconNames, NameWithoutExtensionMatchesItsScaledAndDeviceFiles)
{
    for (const char *file : {"AppIcon60x60.png", "AppIcon60x60@2x.png", "appicon60x60@3x.png",
                             "AppIcon60x60~ipad.png", "AppIcon60x60@2x~ipad.png"})
        EXPECT_TRUE(iconFileMatches("AppIcon60x60", file)) << file;
    for (const char *file :
         {"AppIcon60x60x.png", "AppIcon60x60@4x.png", "AppIcon60x6.png", "Other.png", "AppIcon60x60@2x.jpg"})
        EXPECT_FALSE(iconFileMatches("AppIcon60x60", file)) << file;
    EXPECT_TRUE(iconFileMatches("Icon.png", "Icon.png"));
    EXPECT_TRUE(iconFileMatches("Icon.png", "Icon@2x.png"));
    EXPECT_TRUE(iconFileMatches("icon-72", "icon-72.png"));
}

TEST(IconNames, ReadsEveryKeyInOrder)
{
    plist_t root = plist_new_dict();
    auto files = [](std::initializer_list<const char *> names) {
        plist_t array = plist_new_array();
        for (const char *n : names)
            plist_array_append_item(array, plist_new_string(n));
        plist_t primary = plist_new_dict();
        plist_dict_set_item(primary, "CFBundleIconFiles", array);
        plist_t icons = plist_new_dict();
        plist_dict_set_item(icons, "CFBundlePrimaryIcon", primary);
        return icons;
    };
    plist_dict_set_item(root, "CFBundleIcons", files({"A", "B"}));
    plist_dict_set_item(root, "CFBundleIcons~ipad", files({"C"}));
    plist_t legacy = plist_new_array();
    plist_array_append_item(legacy, plist_new_string("D.png"));
    plist_array_append_item(legacy, plist_new_uint(3));
    plist_dict_set_item(root, "CFBundleIconFiles", legacy);
    plist_dict_set_item(root, "CFBundleIconFile", plist_new_string("E"));
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    const std::string text(xml, length);
    plist_to_xml_free(xml);
    plist_free(root);
    EXPECT_EQ(iconNamesOf(text), (std::vector<std::string>{"A", "B", "C", "D.png", "E"}));
    EXPECT_THROW(iconNamesOf("not a list <"), IconError);
}

namespace {

std::string chunk(const char *type, const std::string &data)
{
    std::string out;
    for (int shift : {24, 16, 8, 0})
        out += char(data.size() >> shift & 0xff);
    out += type;
    out += data;
    out += std::string(4, '\0'); // checksums are not what this reader relies on
    return out;
}

std::string header(uint32_t w, uint32_t h, char colourType = 6)
{
    std::string d;
    for (uint32_t v : {w, h})
        for (int shift : {24, 16, 8, 0})
            d += char(v >> shift & 0xff);
    d += char(8);
    d += colourType;
    d += std::string(3, '\0');
    return d;
}

std::string applePng(uint32_t w, uint32_t h, const std::string &idat, char colourType = 6)
{
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("CgBI", std::string("\x50\0\x20\x06", 4)) +
           chunk("IHDR", header(w, h, colourType)) + chunk("IDAT", idat) + chunk("IEND", "");
}

// Raw deflate of the bytes in stored blocks: what the decoder must read without a zlib header.
std::string storedDeflate(const std::string &raw)
{
    std::string out;
    out += char(1);
    out += char(raw.size() & 0xff);
    out += char(raw.size() >> 8);
    out += char(~raw.size() & 0xff);
    out += char(~raw.size() >> 8 & 0xff);
    return out + raw;
}

} // namespace

TEST(ApplePng, UndoesByteOrderPremultiplicationAndFilters)
{
    // Two pixels in one row, filter "Sub": stored BGRA premultiplied (0, 64, 128, 128) is
    // straight RGBA (255, 128, 0, 128); the second pixel adds (0, 0, 0, 127) to it.
    const std::string raw =
        std::string("\x01", 1) + std::string("\x00\x40\x80\x80", 4) + std::string("\x00\x00\x00\x7f", 4);
    const Image image = decodeCgbiPng(applePng(2, 1, storedDeflate(raw)));
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.pixels.size(), 8u);
    EXPECT_EQ(std::vector<int>(image.pixels.begin(), image.pixels.begin() + 4),
              (std::vector<int>{255, 128, 0, 128}));
    EXPECT_EQ(std::vector<int>(image.pixels.begin() + 4, image.pixels.end()),
              (std::vector<int>{128, 64, 0, 255}));
}

TEST(ApplePng, RefusesWhatItCannotReadOrWouldNotFit)
{
    const std::string row = std::string(1, '\0') + std::string(4, '\x10');
    EXPECT_NO_THROW(decodeCgbiPng(applePng(1, 1, storedDeflate(row))));
    EXPECT_THROW(decodeCgbiPng(applePng(100000, 100000, storedDeflate(row))), IconError);
    EXPECT_THROW(decodeCgbiPng(applePng(2, 1, storedDeflate(row))), IconError) << "too little data";
    EXPECT_THROW(decodeCgbiPng(applePng(1, 1, storedDeflate(row), 3)), IconError) << "palette";
    EXPECT_THROW(decodeCgbiPng(applePng(1, 1, "")), IconError);
    EXPECT_THROW(decodeCgbiPng(std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header(1, 1))), IconError)
        << "a plain PNG";
    const std::optional<PngHeader> h = readPngHeader(applePng(7, 9, ""));
    ASSERT_TRUE(h);
    EXPECT_TRUE(h->cgbi);
    EXPECT_EQ(h->width, 7u);
    EXPECT_EQ(h->height, 9u);
}

TEST(FuzzRegressions, EveryInputThatOnceBrokeTheIconSearchIsRefusedCleanly)
{
    // Inputs in the fuzz target's format, and the icon fixtures as its seeds are made.
    const QDir folder(TAVREL_FIXTURES_DIR "/icons/fuzz-regressions");
    std::vector<QByteArray> inputs;
    for (const QString &name : folder.entryList(QDir::Files | QDir::NoDotAndDotDot)) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        inputs.push_back(f.readAll());
    }
    for (const char *seed : {"icons-adaptive-vector.apk", "ipa-cgbi.ipa", "hostile-huge-dims.ipa"}) {
        QFile f(folder.filePath(QStringLiteral("../") + seed));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << seed;
        inputs.push_back(QByteArray(1, '\x40') + f.readAll());
    }
    for (const QByteArray &data : inputs)
        iconForPackedInput(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
}
