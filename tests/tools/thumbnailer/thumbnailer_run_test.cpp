// The thumbnailer run on the icon fixtures: which icon it picks, what it draws, and that it
// writes nothing for a package without an icon or a hostile one.
#include "tool_run.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString fixture(const QString &name)
{
    return QStringLiteral(TAVREL_FIXTURES_DIR "/icons/") + name;
}

struct Thumbnail
{
    ToolRun run;
    QImage image;
    bool written = false;
};

Thumbnail thumbnail(const QString &package, int size, const ChildLimits &limits = {})
{
    QTemporaryDir dir;
    const QString out = dir.filePath("thumb.png");
    Thumbnail t;
    t.run = runTool("tavrel-thumbnailer", {"-s", QString::number(size), fixture(package), out}, limits);
    t.written = QFileInfo::exists(out);
    t.image = QImage(out);
    // Nothing else is left beside the output, written or not.
    EXPECT_EQ(treeOf(dir.path()), t.written ? QStringList{"thumb.png"} : QStringList{});
    return t;
}

QRgb centre(const QImage &image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

} // namespace

TEST(ThumbnailerRun, ApkPicksTheDensityThatBestFitsTheSize)
{
    // mdpi 48 px red, hdpi 72 green, xhdpi 96 blue, xxhdpi 144 yellow, xxxhdpi 192 cyan.
    struct Case
    {
        int size;
        int side;
        QRgb colour;
    };
    for (const QString &package : {QString("icons-densities.apk"), QString("icons-bundle.apks")})
        for (const Case &c : {Case{48, 48, qRgb(255, 0, 0)}, Case{64, 64, qRgb(0, 255, 0)},
                              Case{128, 128, qRgb(255, 255, 0)}, Case{256, 192, qRgb(0, 255, 255)}}) {
            SCOPED_TRACE(package.toStdString() + " at " + std::to_string(c.size));
            const Thumbnail t = thumbnail(package, c.size);
            ASSERT_EQ(t.run.exitCode, 0) << t.run.err.toStdString();
            EXPECT_EQ(t.image.size(), QSize(c.side, c.side));
            EXPECT_EQ(centre(t.image), c.colour);
        }
}

TEST(ThumbnailerRun, BitmapsAreNeverScaledUp)
{
    for (const auto &[package, side, colour] : {std::tuple{"icons-drawable-only.apk", 64, qRgb(255, 0, 255)},
                                                {"icons-webp.apk", 96, qRgb(0, 128, 0)}}) {
        SCOPED_TRACE(package);
        const Thumbnail t = thumbnail(package, 256);
        ASSERT_EQ(t.run.exitCode, 0) << t.run.err.toStdString();
        EXPECT_EQ(t.image.size(), QSize(side, side));
        EXPECT_EQ(centre(t.image), colour);
        // Asked smaller, they are scaled down.
        EXPECT_EQ(thumbnail(package, 32).image.size(), QSize(32, 32));
    }
}

TEST(ThumbnailerRun, AdaptiveIconsAreComposedThroughARoundedMask)
{
    // A blue background colour; the foreground (a bitmap in one, a vector drawable in the
    // other) fills the middle half of the icon as a launcher crops the layers.
    for (const auto &[package, foreground] : {std::pair{"icons-adaptive-bitmap.apk", qRgb(255, 0, 0)},
                                              {"icons-adaptive-vector.apk", qRgb(255, 255, 0)}}) {
        SCOPED_TRACE(package);
        const Thumbnail t = thumbnail(package, 128);
        ASSERT_EQ(t.run.exitCode, 0) << t.run.err.toStdString();
        ASSERT_EQ(t.image.size(), QSize(128, 128));
        EXPECT_EQ(centre(t.image), foreground);
        EXPECT_EQ(t.image.pixel(40, 40), foreground);
        EXPECT_EQ(t.image.pixel(20, 64), qRgb(0, 0, 255));
        EXPECT_EQ(t.image.pixel(64, 2), qRgb(0, 0, 255));
        EXPECT_EQ(qAlpha(t.image.pixel(1, 1)), 0) << "corners are outside the mask";
    }
}

TEST(ThumbnailerRun, IpaPicksTheNamedIconThatBestFits)
{
    struct Case
    {
        const char *package;
        int size;
        int side;
        QRgb colour;
    };
    for (const Case &c : {Case{"ipa-plain.ipa", 100, 100, qRgb(255, 0, 0)},  // @2x 120 red, not Other@3x
                          Case{"ipa-plain.ipa", 160, 160, qRgb(0, 0, 255)},  // @3x 180 blue
                          Case{"ipa-legacy.ipa", 48, 48, qRgb(255, 0, 0)},   // Icon.png 57
                          Case{"ipa-legacy.ipa", 256, 114, qRgb(0, 255, 0)}, // Icon@2x.png 114
                          Case{"ipa-ipad.ipa", 128, 128, qRgb(0, 0, 255)},   // @2x~ipad 152
                          Case{"ipa-artwork.ipa", 128, 128, qRgb(255, 0, 255)}}) {
        SCOPED_TRACE(std::string(c.package) + " at " + std::to_string(c.size));
        const Thumbnail t = thumbnail(c.package, c.size);
        ASSERT_EQ(t.run.exitCode, 0) << t.run.err.toStdString();
        EXPECT_EQ(t.image.size(), QSize(c.side, c.side));
        EXPECT_EQ(centre(t.image), c.colour);
    }
}

TEST(ThumbnailerRun, ApplePngVariantDecodesToTheOriginalPixels)
{
    const Thumbnail t = thumbnail("ipa-cgbi.ipa", 256);
    ASSERT_EQ(t.run.exitCode, 0) << t.run.err.toStdString();
    const QImage original = QImage(fixture("cgbi-original.png")).convertToFormat(QImage::Format_RGBA8888);
    const QImage decoded = t.image.convertToFormat(QImage::Format_RGBA8888);
    ASSERT_EQ(decoded.size(), original.size());
    int worst = 0;
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x) {
            const QRgb a = original.pixel(x, y), b = decoded.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
        }
    EXPECT_LE(worst, 2);
}

TEST(ThumbnailerRun, NoIconOrHostileInputWritesNothingAndSaysWhy)
{
    for (const char *package :
         {"icons-none.apk", "ipa-no-icon.ipa", "hostile-huge-dims.ipa", "hostile-zip-bomb.ipa",
          "hostile-truncated.apk", "make_icons.py", "missing.apk"}) {
        SCOPED_TRACE(package);
        QElapsedTimer clock;
        clock.start();
        const Thumbnail t = thumbnail(package, 256, hostileInputLimits());
        EXPECT_NE(t.run.exitCode, 0);
        EXPECT_NE(t.run.exitCode, -1) << "crashed or did not end in time";
        EXPECT_FALSE(t.written);
        EXPECT_EQ(t.run.err.count('\n'), 1) << t.run.err.toStdString();
        EXPECT_TRUE(t.run.err.startsWith("tavrel-thumbnailer: ")) << t.run.err.toStdString();
    }
}

TEST(ThumbnailerRun, RefusesAMalformedCommandLine)
{
    for (const QStringList &args :
         {QStringList{}, QStringList{"-s", "0", "a", "b"}, QStringList{"-s", "x", "a", "b"},
          QStringList{"-x", "16", "a", "b"}, QStringList{"-s", "16", "a"}}) {
        const ToolRun r = runTool("tavrel-thumbnailer", args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("usage:"));
    }
}

TEST(ThumbnailerRun, FillsAnEmptyOutputInPlaceAndReplacesAnyOtherWhole)
{
    // A thumbnail service that made the file empty reads it back through its own descriptor.
    QTemporaryDir dir;
    const QString out = dir.filePath("made-by-the-service.png");
    QFile empty(out);
    ASSERT_TRUE(empty.open(QIODevice::ReadWrite));
    ToolRun r = runTool("tavrel-thumbnailer", {"-s", "48", fixture("icons-densities.apk"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QImage::fromData(empty.readAll()).size(), QSize(48, 48)) << "read through the open descriptor";

    // A file with content is replaced by a whole new one, never rewritten in place.
    QFile old(dir.filePath("old.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content");
    old.flush();
    r = runTool("tavrel-thumbnailer", {"-s", "48", fixture("icons-densities.apk"), old.fileName()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(old.fileName()).size(), QSize(48, 48));
    // A failure leaves an existing file as it was.
    r = runTool("tavrel-thumbnailer", {"-s", "48", fixture("icons-none.apk"), old.fileName()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(QImage(old.fileName()).size(), QSize(48, 48));
}

TEST(ThumbnailerRun, LinksNoLibraryThatItOpensOnlyWhenARunNeedsIt)
{
    // Loading a library costs every start; these are opened when an icon or an IPA needs them.
    QProcess readelf;
    readelf.start("readelf", {"--dynamic", QStringLiteral(TAVREL_PROGRAM_DIR "/tavrel-thumbnailer")});
    ASSERT_TRUE(readelf.waitForFinished(10000));
    const QString dynamic = QString::fromUtf8(readelf.readAllStandardOutput());
    ASSERT_TRUE(dynamic.contains("(NEEDED)")) << dynamic.toStdString();
    // A sanitized build links the C++ runtime, and libm with it, as shared libraries.
    const bool sanitized = dynamic.contains("libasan");
    for (const char *library : {"libplist", "libm.so", "libpng", "libwebp", "libjpeg"})
        EXPECT_TRUE(!dynamic.contains(QLatin1String(library)) ||
                    (sanitized && library == std::string("libm.so")))
            << library;

    // An IPA still reads its property list, and a vector icon is still drawn and packed.
    EXPECT_EQ(thumbnail("ipa-legacy.ipa", 64).run.exitCode, 0);
    EXPECT_EQ(thumbnail("icons-adaptive-vector.apk", 64).run.exitCode, 0);
}
