#include "skin/common/colour_ref.h"

#include <QGuiApplication>

namespace skin {

namespace {

// Colour role of each system colour index; indices without a counterpart fail.
bool systemRole(int index, QPalette::ColorGroup &group, QPalette::ColorRole &role)
{
    group = QPalette::Active;
    switch (index) {
    case 0:
        role = QPalette::Mid;
        return true; // scroll bar
    case 1:
        role = QPalette::Dark;
        return true; // desktop
    case 2:
        role = QPalette::Highlight;
        return true; // active caption
    case 3:
        group = QPalette::Inactive;
        role = QPalette::Highlight;
        return true;
    case 4:
        role = QPalette::Window;
        return true; // menu
    case 5:
        role = QPalette::Base;
        return true; // window
    case 6:
        role = QPalette::Shadow;
        return true; // window frame
    case 7:
        role = QPalette::WindowText;
        return true; // menu text
    case 8:
        role = QPalette::Text;
        return true; // window text
    case 9:
        role = QPalette::HighlightedText;
        return true; // caption text
    case 10:
        role = QPalette::Button;
        return true; // active border
    case 11:
        group = QPalette::Inactive;
        role = QPalette::Button;
        return true;
    case 12:
        role = QPalette::Mid;
        return true; // application workspace
    case 13:
        role = QPalette::Highlight;
        return true; // highlight
    case 14:
        role = QPalette::HighlightedText;
        return true; // highlight text
    case 15:
        role = QPalette::Button;
        return true; // button face
    case 16:
        role = QPalette::Dark;
        return true; // button shadow
    case 17:
        group = QPalette::Disabled;
        role = QPalette::Text;
        return true; // grey text
    case 18:
        role = QPalette::ButtonText;
        return true; // button text
    case 19:
        group = QPalette::Inactive;
        role = QPalette::HighlightedText;
        return true;
    case 20:
        role = QPalette::Light;
        return true; // button highlight
    case 21:
        role = QPalette::Shadow;
        return true; // 3D dark shadow
    case 22:
        role = QPalette::Midlight;
        return true; // 3D light
    case 23:
        role = QPalette::ToolTipText;
        return true; // info text
    case 24:
        role = QPalette::ToolTipBase;
        return true; // info background
    case 26:
        role = QPalette::Link;
        return true; // hot-tracked item
    case 27:
        role = QPalette::Highlight;
        return true; // gradient of the active caption
    case 28:
        group = QPalette::Inactive;
        role = QPalette::Highlight;
        return true;
    case 29:
        role = QPalette::Highlight;
        return true; // menu highlight
    case 30:
        role = QPalette::Window;
        return true; // menu bar
    default:
        return false;
    }
}

} // namespace

ColourRef translateColour(ColourRef ref, const QPalette &palette)
{
    if (!isSystemColour(ref))
        return static_cast<ColourRef>(unsigned(ref) & 0x00FFFFFFu);
    // Only the low byte may carry the index; anything else is not a colour.
    if ((unsigned(ref) & 0x7FFFFF00u) != 0)
        return kColourInvalid;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (!systemRole(int(unsigned(ref) & 0xFF), group, role))
        return kColourInvalid;
    return fromQColour(palette.color(group, role));
}

ColourRef translateColour(ColourRef ref)
{
    return translateColour(ref, QGuiApplication::palette());
}

QColor translatedColour(ColourRef ref, const QPalette &palette)
{
    const ColourRef c = translateColour(ref, palette);
    if (c == kColourInvalid)
        return QColor();
    return qColour(c);
}

QColor translatedColour(ColourRef ref)
{
    return translatedColour(ref, QGuiApplication::palette());
}

ColourRef fromQColour(const QColor &colour)
{
    if (!colour.isValid())
        return kColourInvalid;
    const QColor c = colour.toRgb();
    return rgbRef(c.red(), c.green(), c.blue());
}

} // namespace skin
