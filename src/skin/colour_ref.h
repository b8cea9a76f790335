// Colour references as the skin stores them: 32-bit values 0x00BBGGRR (low byte red).
// A value with the top bit set names a system colour by its index in the low byte and is
// translated through the application palette before drawing; -1 marks a failed translation.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace skin {

using ColorRef = std::int32_t;

constexpr ColorRef kColorInvalid = -1;

// System colour indices (top bit set).
constexpr ColorRef sysColor(int index)
{
    return static_cast<ColorRef>(0x80000000u | unsigned(index));
}
constexpr ColorRef kSysButtonFace = sysColor(15); // &H8000000F
constexpr ColorRef kSysWindow = sysColor(5);      // &H80000005
constexpr ColorRef kSysButtonText = sysColor(18); // &H80000012
constexpr ColorRef kSysGrayText = sysColor(17);   // &H80000011
constexpr ColorRef kSysWindowText = sysColor(8);  // &H80000008
constexpr ColorRef kSysHighlight = sysColor(13);  // &H8000000D

constexpr ColorRef rgbRef(int r, int g, int b)
{
    return static_cast<ColorRef>((unsigned(r) & 0xFF) | (unsigned(g) & 0xFF) << 8 |
                                 (unsigned(b) & 0xFF) << 16);
}
constexpr int refRed(ColorRef c)
{
    return int(unsigned(c) & 0xFF);
}
constexpr int refGreen(ColorRef c)
{
    return int(unsigned(c) >> 8 & 0xFF);
}
constexpr int refBlue(ColorRef c)
{
    return int(unsigned(c) >> 16 & 0xFF);
}
constexpr bool isSystemColor(ColorRef c)
{
    return (unsigned(c) & 0x80000000u) != 0;
}

// A plain colour reference, or -1 for a system colour that has no meaning here.
ColorRef translateColor(ColorRef ref, const QPalette &palette);
// Same, with the application's current palette.
ColorRef translateColor(ColorRef ref);

// Translated colour as a QColor; an invalid QColor when the translation fails.
QColor toQColor(ColorRef ref);
QColor toQColor(ColorRef ref, const QPalette &palette);
ColorRef fromQColor(const QColor &colour);

} // namespace skin
