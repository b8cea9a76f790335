// Colour references as the skin stores them: 32-bit values 0x00BBGGRR (low byte red).
// A value with the top bit set names a system colour by its index in the low byte and is
// translated through the application palette before drawing; -1 marks a failed translation.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace skin {

using ColourRef = std::int32_t;

constexpr ColourRef kColourInvalid = -1;
constexpr ColourRef kWhite = 0xFFFFFF;
constexpr ColourRef kBlack = 0x000000;

// System colour indices (top bit set).
constexpr ColourRef sysColour(int index)
{
    return static_cast<ColourRef>(0x80000000u | unsigned(index));
}
constexpr ColourRef kSysButtonFace = sysColour(15); // &H8000000F
constexpr ColourRef kSysWindow = sysColour(5);      // &H80000005
constexpr ColourRef kSysButtonText = sysColour(18); // &H80000012
constexpr ColourRef kSysGrayText = sysColour(17);   // &H80000011
constexpr ColourRef kSysWindowText = sysColour(8);  // &H80000008
constexpr ColourRef kSysHighlight = sysColour(13);  // &H8000000D

constexpr ColourRef rgbRef(int r, int g, int b)
{
    return static_cast<ColourRef>((unsigned(r) & 0xFF) | (unsigned(g) & 0xFF) << 8 |
                                  (unsigned(b) & 0xFF) << 16);
}
constexpr int refRed(ColourRef c)
{
    return int(unsigned(c) & 0xFF);
}
constexpr int refGreen(ColourRef c)
{
    return int(unsigned(c) >> 8 & 0xFF);
}
constexpr int refBlue(ColourRef c)
{
    return int(unsigned(c) >> 16 & 0xFF);
}
constexpr bool isSystemColour(ColourRef c)
{
    return (unsigned(c) & 0x80000000u) != 0;
}

// A plain colour reference, or -1 for a system colour that has no meaning here.
ColourRef translateColour(ColourRef ref, const QPalette &palette);
// Same, with the application's current palette.
ColourRef translateColour(ColourRef ref);

// A plain colour reference as a QColor (no translation: the reference is already plain).
inline QColor qColour(ColourRef c)
{
    return QColor(refRed(c), refGreen(c), refBlue(c));
}

// Translated colour as a QColor; an invalid QColor when the translation fails.
QColor translatedColour(ColourRef ref);
QColor translatedColour(ColourRef ref, const QPalette &palette);
ColourRef fromQColour(const QColor &colour);

} // namespace skin
