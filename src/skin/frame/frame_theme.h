// The colour themes of the window frame and the shortening of its caption: plain functions
// the frame and its tests share.
#pragma once

#include "skin/common/colour_ref.h"

#include <QString>

class QFontMetrics;

namespace skin {

// Raw dark and light colours of a colour theme 0..4 (theme 5 is ColorFrom / ColorTo).
void themeColours(int theme, ColourRef &dark, ColourRef &light);
// Theme 6: the colours that a desktop theme's colour-scheme name stands for. With no
// active theme, theme 0; an unknown scheme name leaves dark and light unchanged.
void GetGradientColor(const QString &schemeName, bool themed, ColourRef &dark, ColourRef &light);
// Shortens text with "..." so that it fits width; empty when not even one character fits.
QString TrimWord(const QString &text, int width, const QFontMetrics &metrics);

} // namespace skin
