// How the skinner paints the standard controls other than push buttons, each from the
// skin's cached images. The painters draw on a painter already open on the widget (or on
// the header's viewport) and read only what the widget shows and the state passed in.
#pragma once

#include "skin/skinner/skin_images.h"

#include <QRect>

class QCheckBox;
class QComboBox;
class QAbstractButton;
class QHeaderView;
class QPainter;
class QProgressBar;
class QWidget;

namespace skin {

// Glyphs and chunks of a disabled control are drawn faded to this strength.
constexpr double kDisabledGlyphOpacity = 0.45;

// A combo box: white field, one-pixel outline, drop button; a combo box that is not editable
// also shows its chosen item (an editable one has its line edit for that).
void paintComboBox(QPainter &p, const QComboBox *combo, const SkinImages &images, bool hot, bool pressed);
// The drop button's rectangle: the scroll-bar width plus one, at the right edge inside the outline.
QRect comboButtonRect(const QComboBox *combo);

// The box of a check box or option button (state: SkinCellState) over the box the widget
// painted, and the check mark or dot when it is checked.
void paintCheckBox(QPainter &p, const QAbstractButton *button, const SkinImages &images, int state);
QRect checkIndicatorRect(const QAbstractButton *button);

// The one-pixel outline of a list, in the enabled or disabled outline colour.
void paintListOutline(QPainter &p, const QWidget *list);

// A progress bar: white, outlined, filled with chunks from the left (or the bottom) as far as
// its value goes.
void paintProgressBar(QPainter &p, const QProgressBar *bar, const SkinImages &images);

// Every item of a header on its viewport, normal, hot or pressed (logical indices, -1 for
// none), with its text centred on one line and shortened with "..." when too long.
void paintHeader(QPainter &p, const QHeaderView *header, const SkinImages &images, int hotIndex,
                 int pressedIndex);

} // namespace skin
