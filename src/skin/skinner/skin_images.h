// The five small images the control skinner draws every skinned control from. They are
// painted pixel by pixel once, when the skin starts, and freed when the last skinned widget
// goes. Each holds cells of a fixed size; magenta marks the pixels a glyph leaves alone.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace skin {

// The skin's palette, shared by the images and the controls painted from them.
namespace skinPalette {
inline const QColor text(21, 43, 71);
inline const QColor disabledText(121, 138, 150);
inline const QColor outline(84, 165, 213);          // &HD5A554
inline const QColor disabledOutline(164, 206, 233); // &HE9CEA4
inline const QColor field(255, 255, 255);
inline const QColor glyph(19, 97, 156);
} // namespace skinPalette

// Cell states of the push-button faces and of the check and option boxes.
enum SkinCellState { CellNormal = 0, CellHot = 1, CellPressed = 2, CellDisabled = 3 };

struct SkinImages
{
    static constexpr QRgb kTransparent = 0xFFFF00FF; // magenta

    QImage buttonFaces; // 7 x 84: four 7 x 21 faces, normal, hot, pressed, disabled
    QImage comboButton; // 15 x 18: hot and pressed 4 x 18 cells, the 7 x 4 arrow at x 8
    QImage glyphs;      // 18 x 24: check mark 9 x 8 at (0, 0), option dot 5 x 5 at row 18
    QImage boxes;       // 13 x 52: four 13 x 13 boxes by state; chunks at rows 17 and 30
    QImage headerItems; // 9 x 20: three 3 x 20 items, normal, hot, pressed

    static QRect buttonFaceCell(int state) { return QRect(0, 21 * state, 7, 21); }
    static QRect comboCell(bool pressed) { return QRect(pressed ? 4 : 0, 0, 4, 18); }
    static QRect arrowGlyph() { return QRect(8, 0, 7, 4); }
    static QRect checkGlyph() { return QRect(0, 0, 9, 8); }
    static QRect dotGlyph() { return QRect(0, 18, 5, 5); }
    static QRect boxCell(int state) { return QRect(0, 13 * state, 13, 13); }
    // The progress-bar chunk: rows 30 to 34 for a horizontal bar, 17 to 21 for a vertical one.
    static QRect chunk(bool vertical) { return QRect(1, vertical ? 17 : 30, 11, 5); }
    static QRect headerCell(int state) { return QRect(3 * state, 0, 3, 20); }
};

// Paints the five images.
SkinImages paintSkinImages();

} // namespace skin
