#include "skin/skinner/skin_images.h"

namespace skin {

namespace {

QRgb mix(QRgb a, QRgb b, int i, int n)
{
    if (n <= 1)
        return a;
    auto channel = [&](int ca, int cb) { return (ca * (n - 1 - i) + cb * i + (n - 1) / 2) / (n - 1); };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

// Rows y0 .. y0 + h - 1 of columns x0 .. x0 + w - 1, from top to bottom colour.
void gradientRows(QImage &img, int x0, int y0, int w, int h, QRgb top, QRgb bottom)
{
    for (int y = 0; y < h; ++y) {
        const QRgb c = mix(top, bottom, y, h);
        for (int x = 0; x < w; ++x)
            img.setPixel(x0 + x, y0 + y, c);
    }
}

void pixels(QImage &img, int x0, int y0, const char *const rows[], int count, QRgb colour)
{
    for (int y = 0; y < count; ++y) {
        for (int x = 0; rows[y][x]; ++x) {
            if (rows[y][x] == '#')
                img.setPixel(x0 + x, y0 + y, colour);
        }
    }
}

struct Face
{
    QRgb border, upperTop, upperBottom, lowerTop, lowerBottom, highlight;
};

// A 7 x 21 push-button face: a border with softened corners and a two-part gloss.
void paintFace(QImage &img, int top, const Face &f)
{
    gradientRows(img, 1, top + 1, 5, 9, f.upperTop, f.upperBottom);
    gradientRows(img, 1, top + 10, 5, 10, f.lowerTop, f.lowerBottom);
    for (int x = 1; x < 6; ++x)
        img.setPixel(x, top + 1, f.highlight);
    for (int x = 1; x < 6; ++x) {
        img.setPixel(x, top, f.border);
        img.setPixel(x, top + 20, f.border);
    }
    for (int y = 1; y < 20; ++y) {
        img.setPixel(0, top + y, f.border);
        img.setPixel(6, top + y, f.border);
    }
    // The corners fall outside the rounded clip; give them a colour halfway to the face.
    for (auto [x, y] : {std::pair{0, 0}, {6, 0}, {0, 20}, {6, 20}})
        img.setPixel(x, top + y, mix(f.border, f.upperTop, 1, 3));
}

QImage paintButtonFaces()
{
    QImage img(7, 84, QImage::Format_RGB32);
    paintFace(img, 0,
              {qRgb(112, 151, 189), qRgb(252, 253, 255), qRgb(237, 243, 250), qRgb(226, 235, 245),
               qRgb(212, 226, 241), qRgb(255, 255, 255)});
    paintFace(img, 21,
              {qRgb(84, 165, 213), qRgb(243, 250, 255), qRgb(221, 240, 253), qRgb(203, 231, 251),
               qRgb(184, 220, 247), qRgb(255, 255, 255)});
    paintFace(img, 42,
              {qRgb(19, 97, 156), qRgb(170, 204, 231), qRgb(190, 218, 239), qRgb(201, 225, 243),
               qRgb(216, 234, 248), qRgb(150, 190, 222)});
    paintFace(img, 63,
              {qRgb(173, 186, 196), qRgb(246, 247, 249), qRgb(240, 242, 244), qRgb(236, 238, 241),
               qRgb(232, 235, 238), qRgb(250, 251, 252)});
    return img;
}

QImage paintComboButton()
{
    QImage img(15, 18, QImage::Format_RGB32);
    img.fill(SkinImages::kTransparent);
    // Hot cell: a light blue gradient with the outline colour on its left edge.
    gradientRows(img, 1, 0, 3, 18, qRgb(233, 245, 254), qRgb(186, 222, 248));
    for (int y = 0; y < 18; ++y)
        img.setPixel(0, y, qRgb(84, 165, 213));
    // Pressed cell: deeper, with the title blue on its left edge.
    gradientRows(img, 5, 0, 3, 18, qRgb(160, 200, 232), qRgb(199, 224, 243));
    for (int y = 0; y < 18; ++y)
        img.setPixel(4, y, qRgb(19, 97, 156));
    static const char *const arrow[] = {"#######", ".#####.", "..###..", "...#..."};
    pixels(img, 8, 0, arrow, 4, qRgb(38, 72, 110));
    return img;
}

QImage paintGlyphs()
{
    QImage img(18, 24, QImage::Format_RGB32);
    img.fill(SkinImages::kTransparent);
    static const char *const check[] = {"........#", ".......##", "#.....###", "##...###.",
                                        "###.###..", ".#####...", "..###....", "...#....."};
    pixels(img, 0, 0, check, 8, skinPalette::glyph.rgb());
    static const char *const dot[] = {".###.", "#####", "#####", "#####", ".###."};
    pixels(img, 0, 18, dot, 5, skinPalette::glyph.rgb());
    // The dot's rounded edge, a step lighter.
    for (auto [x, y] : {std::pair{0, 1}, {4, 1}, {0, 3}, {4, 3}, {1, 0}, {3, 0}, {1, 4}, {3, 4}})
        img.setPixel(x, 18 + y, qRgb(84, 140, 190));
    return img;
}

// A 13 x 13 box: the border, then the interior in three bands (top, middle, bottom). The
// middle band of the hot and pressed boxes doubles as the progress-bar chunk.
void paintBox(QImage &img, int top, QRgb border, QRgb a, QRgb b, QRgb c, QRgb d)
{
    gradientRows(img, 1, top + 1, 11, 3, a, b);
    gradientRows(img, 1, top + 4, 11, 5, b, c);
    gradientRows(img, 1, top + 9, 11, 3, c, d);
    for (int i = 0; i < 13; ++i) {
        img.setPixel(i, top, border);
        img.setPixel(i, top + 12, border);
        img.setPixel(0, top + i, border);
        img.setPixel(12, top + i, border);
    }
}

QImage paintBoxes()
{
    QImage img(13, 52, QImage::Format_RGB32);
    paintBox(img, 0, qRgb(112, 151, 189), qRgb(226, 233, 241), qRgb(240, 244, 249), qRgb(252, 253, 255),
             qRgb(255, 255, 255));
    paintBox(img, 13, qRgb(84, 165, 213), qRgb(232, 245, 254), qRgb(176, 219, 248), qRgb(140, 198, 240),
             qRgb(214, 236, 252));
    paintBox(img, 26, qRgb(19, 97, 156), qRgb(170, 212, 240), qRgb(92, 172, 222), qRgb(36, 126, 194),
             qRgb(150, 196, 232));
    paintBox(img, 39, qRgb(190, 200, 208), qRgb(240, 242, 244), qRgb(244, 245, 247), qRgb(246, 247, 249),
             qRgb(248, 249, 250));
    return img;
}

void paintHeaderCell(QImage &img, int x, QRgb left, QRgb top, QRgb bottom, QRgb right, QRgb base)
{
    gradientRows(img, x, 0, 2, 19, top, bottom);
    for (int y = 0; y < 19; ++y) {
        img.setPixel(x, y, left);
        img.setPixel(x + 2, y, right);
    }
    for (int i = 0; i < 3; ++i)
        img.setPixel(x + i, 19, base);
}

QImage paintHeaderItems()
{
    QImage img(9, 20, QImage::Format_RGB32);
    paintHeaderCell(img, 0, qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(226, 234, 244),
                    qRgb(176, 196, 216), qRgb(168, 188, 208));
    paintHeaderCell(img, 3, qRgb(250, 253, 255), qRgb(240, 248, 255), qRgb(198, 227, 250),
                    qRgb(132, 180, 222), qRgb(84, 165, 213));
    paintHeaderCell(img, 6, qRgb(150, 190, 222), qRgb(190, 218, 240), qRgb(224, 239, 251),
                    qRgb(100, 150, 200), qRgb(19, 97, 156));
    return img;
}

} // namespace

SkinImages paintSkinImages()
{
    SkinImages images;
    images.buttonFaces = paintButtonFaces();
    images.comboButton = paintComboButton();
    images.glyphs = paintGlyphs();
    images.boxes = paintBoxes();
    images.headerItems = paintHeaderItems();
    return images;
}

} // namespace skin
