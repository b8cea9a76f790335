// The faces of the multistyle button, one routine per style or family of styles. Colour
// constants are colour references (0x00BBGGRR), as the looks were drawn up.
#include "skin/button/jcbutton.h"

#include "skin/button/button_look.h"
#include "skin/common/draw_helpers.h"
#include "skin/common/draw_primitives.h"

#include <QPainter>
#include <algorithm>

namespace skin {

namespace {

void line(QPainter &p, int x1, int y1, int x2, int y2, ColourRef c)
{
    APILineEx(p, x1, y1, x2, y2, c);
}

void cornerPixels(QPainter &p, int w, int h, ColourRef c)
{
    setPixelRef(p, 1, 1, c);
    setPixelRef(p, 1, h - 2, c);
    setPixelRef(p, w - 2, 1, c);
    setPixelRef(p, w - 2, h - 2, c);
}

// A gradient over the upper half and another over the lower half.
void twoHalves(QPainter &p, int x, int y, int w, int h, ColourRef top1, ColourRef top2, ColourRef bottom1,
               ColourRef bottom2)
{
    const int half = h / 2;
    drawButtonGradient(p, top1, top2, x, y, w, half, GradientDirection::Vertical);
    drawButtonGradient(p, bottom1, bottom2, x, y + half, w, h - half, GradientDirection::Vertical);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Style 1 and its variants 0, 11 and 12

void jcbutton::paintStyle1Family(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h, style = look.style;
    const EdgeColours edges = EdgeColours::fromPalette();
    const QRect all(0, 0, w, h);
    fillRectRef(p, 0, 0, w, h, look.ownChecked ? shiftColour(look.back, 0.02) : look.back);
    if (!look.enabled) {
        drawEdgeRef(p, all, EDGE_RAISED, edges);
        return;
    }
    if (look.ownChecked) {
        drawEdgeRef(p, all, EDGE_SUNKEN, edges);
        return;
    }
    switch (look.state) {
    case StatePressed:
        if (style == StandardStyle || style == ThinEdgeStyle) {
            // White first, then grey one pixel further out: grey top and left, white bottom
            // and right.
            frameRectRef(p, 0, 0, w, h, kWhite);
            frameRectRef(p, 0, 0, w + 1, h + 1, sys(kSysGrayText));
        } else if (style == ClassicStyle) {
            frameRectRef(p, 1, 1, w - 2, h - 2, 0x99A8AC);
            frameRectRef(p, 0, 0, w, h, kBlack);
        } else {
            drawEdgeRef(p, all, EDGE_SUNKEN, edges);
        }
        return;
    case StateHot:
        drawEdgeRef(p, all,
                    (style == StandardStyle || style == ThinEdgeStyle) ? BDR_RAISEDINNER : EDGE_RAISED,
                    edges);
        break;
    default:
        // Style 12 lies flat until the pointer comes over it.
        if (style == StandardStyle)
            drawEdgeRef(p, all, BDR_RAISEDINNER, edges);
        else if (style != ThinEdgeStyle)
            drawEdgeRef(p, all, EDGE_RAISED, edges);
        break;
    }
    if (style == ClassicStyle && look.focusLook) {
        // The default button's look: a raised edge inside a black outline.
        drawEdgeRef(p, QRect(0, 0, w - 1, h - 1), EDGE_RAISED, edges);
        frameRectRef(p, 0, 0, w, h, kBlack);
    }
}

// ---------------------------------------------------------------------------------------
// Style 3: flat until hot, then a pale gradient with a soft outline

void jcbutton::paintStyle3(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h;
    const int state = look.state;
    if (look.ownChecked && look.enabled) {
        // Latched: the pressed colours, lighter and without the pressed shading.
        fillRectRef(p, 0, 0, w, h, shiftColour(0xDDE4E5, 0.04));
        frameRectRef(p, 0, 0, w, h, 0x929D9D);
        cornerPixels(p, w, h, shiftColour(0xABB4B5, -0.05));
        return;
    }
    if (!look.enabled || state == StateNormal) {
        fillRectRef(p, 0, 0, w, h, look.back);
        return;
    }
    if (state == StateHot) {
        twoHalves(p, 0, 0, w, h, 0xFDFEFE, 0xEEF4F4, 0xEEF4F4, 0xEAF1F1);
        line(p, w - 2, 2, w - 2, h - 2, 0xE0E7EA);
        line(p, w - 3, 2, w - 3, h - 2, 0xEAF0F0);
        line(p, 0, h - 4, w, h - 4, 0xE5EDEE);
        line(p, 0, h - 3, w, h - 3, 0xD6E1E4);
        line(p, 0, h - 2, w, h - 2, 0xC6D2D7);
        frameRectRef(p, 0, 0, w, h, 0xC3CECE);
        cornerPixels(p, w, h, shiftColour(0xC9D4D4, -0.05));
        return;
    }
    fillRectRef(p, 0, 0, w, h, 0xDDE4E5);
    line(p, 1, 1, w - 2, 1, shiftColour(0xD1DADC, -0.02));
    line(p, 1, 2, w - 2, 2, shiftColour(0xDAE1E3, -0.02));
    line(p, 1, h - 3, w - 2, h - 3, shiftColour(0xDEE5E6, 0.02));
    line(p, 1, h - 2, w - 2, h - 2, shiftColour(0xE5EAEB, 0.02));
    frameRectRef(p, 0, 0, w, h, 0x929D9D);
    cornerPixels(p, w, h, shiftColour(0xABB4B5, -0.05));
}

// ---------------------------------------------------------------------------------------
// Style 4: a glossy grey face that turns pale blue under the pointer

void jcbutton::paintStyle4(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h;
    const ColourRef base = look.back;
    if (!look.enabled) {
        fillRectRef(p, 0, 0, w, h, shiftColour(base, 0.03));
        frameRectRef(p, 0, 0, w, h, shiftColour(base, -0.25));
        frameRectRef(p, 1, 1, w - 2, h - 2, shiftColour(base, 0.25));
        cornerPixels(p, w, h, shiftColour(base, -0.03));
        return;
    }
    switch (look.state) {
    case StateHot:
        twoHalves(p, 1, 1, w - 2, h - 2, 0xFFF7E4, 0xFFF3DA, 0xFFE9C1, 0xFDE1AE);
        frameRectRef(p, 0, 0, w, h, 0xB17F3C);
        frameRectRef(p, 1, 1, w - 2, h - 2, 0xFFFCF6);
        // Side lines fade with the face, a shade lighter than it.
        drawButtonGradient(p, 0xFFFAEE, 0xFEEBC8, 1, 2, 1, h - 4, GradientDirection::Vertical);
        drawButtonGradient(p, 0xFFFAEE, 0xFEEBC8, w - 2, 2, 1, h - 4, GradientDirection::Vertical);
        cornerPixels(p, w, h, BlendColor(0xB17F3C, 0xFFF7E4, 128));
        break;
    case StatePressed:
        twoHalves(p, 1, 1, w - 2, h - 2, 0xF6E4C2, shiftColour(0xF6E4C2, -0.04), 0xF0D29A, 0xDBB368);
        frameRectRef(p, 0, 0, w, h, 0x5C411D);
        line(p, 1, 1, w - 1, 1, 0xB39C71);
        line(p, 1, 2, w - 1, 2, 0xD6C6A9);
        line(p, 1, 3, w - 1, 3, 0xECD9B9);
        drawButtonGradient(p, 0xB39C71, 0xD6C6A9, 1, 2, 1, h - 3, GradientDirection::Vertical);
        drawButtonGradient(p, 0xB39C71, 0xD6C6A9, w - 2, 2, 1, h - 3, GradientDirection::Vertical);
        cornerPixels(p, w, h, BlendColor(0x5C411D, 0xF6E4C2, 128));
        break;
    default: {
        const ColourRef light = shiftColour(base, 0.05);
        drawButtonGradient(p, light, base, 1, 1, w - 1, h, GradientDirection::Vertical);
        drawButtonGradient(p, shiftColour(base, -0.02), shiftColour(base, -0.15), 1, h / 2, w - 2, h - 2,
                           GradientDirection::Vertical);
        const ColourRef outer = look.focusLook ? 0xA77532 : 0x707070;
        frameRectRef(p, 0, 0, w, h, outer);
        frameRectRef(p, 1, 1, w - 2, h - 2, look.focusLook ? 0xFBD848 : kWhite);
        cornerPixels(p, w, h, look.focusLook ? 0xBE965F : BlendColor(outer, base, 128));
        break;
    }
    }
}

// ---------------------------------------------------------------------------------------
// Style 5: a flat face with a three-step shadow to the lower right; pressed, the face moves
// into the shadow

void jcbutton::paintStyle5(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h;
    const ColourRef base = look.enabled ? look.back : shiftColour(look.back, 0.1);
    const ColourRef rim = shiftColour(base, 0.3);
    if (look.state == StatePressed) {
        fillRectRef(p, 3, 3, w, h, base);
        frameRectRef(p, 3, 3, w - 3, h - 3, rim);
        return;
    }
    frameRectRef(p, 6, 6, w - 9, h - 9, 0x808080);
    frameRectRef(p, 5, 5, w - 7, h - 7, 0xA0A0A0);
    frameRectRef(p, 4, 4, w - 5, h - 5, 0xC0C0C0);
    fillRectRef(p, 0, 0, w - 5, h - 5, base);
    frameRectRef(p, 0, 0, w - 4, h - 4, rim);
}

// ---------------------------------------------------------------------------------------
// Style 14: a glossy pill, painted pixel by pixel inside its rounded outline

void jcbutton::paintStyle14(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h;
    const ColourRef base = look.enabled ? look.back : BlendColor(look.back, kWhite, 150);
    // Colour stops down the face: top, just above the middle, just below it, bottom.
    struct Stops
    {
        double top, upper, lower, bottom, rim;
    };
    static constexpr Stops kNormal{0.20, 0.07, -0.05, 0.04, -0.38};
    static constexpr Stops kHot{0.24, 0.11, -0.01, 0.09, -0.42};
    static constexpr Stops kPressed{-0.10, -0.05, -0.12, -0.02, -0.48};
    const Stops &s = look.state == StateHot ? kHot : (look.state == StatePressed ? kPressed : kNormal);
    const QRegion shape = roundRectRegion(w, h, 18, 18);
    const int half = h / 2;
    for (int y = 0; y < h; ++y) {
        const ColourRef rowColour =
            y < half
                ? gradientStep(shiftColour(base, s.top), shiftColour(base, s.upper), y, std::max(1, half - 1))
                : gradientStep(shiftColour(base, s.lower), shiftColour(base, s.bottom), y - half,
                               std::max(1, h - half - 1));
        for (int x = 0; x < w; ++x) {
            if (!shape.contains(QPoint(x, y)))
                continue;
            const bool rim = !shape.contains(QPoint(x - 1, y)) || !shape.contains(QPoint(x + 1, y)) ||
                             !shape.contains(QPoint(x, y - 1)) || !shape.contains(QPoint(x, y + 1));
            setPixelRef(p, x, y, rim ? shiftColour(base, s.rim) : rowColour);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Styles 2, 6, 7, 8, 9, 10, 13 and 15

void jcbutton::paintOtherStyle(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h, style = look.style;
    // Disabled faces are washed out towards white and never hot or pressed.
    const ColourRef base = look.enabled ? look.back : BlendColor(look.back, kWhite, 150);
    const int state = look.state;
    const bool hot = state == StateHot, pressed = state == StatePressed;
    auto vgrad = [&](ColourRef a, ColourRef b) {
        drawButtonGradient(p, a, b, 0, 0, w, h, GradientDirection::Vertical);
    };
    switch (style) {
    case SilverStyle:
        if (pressed)
            vgrad(shiftColour(base, -0.08), shiftColour(base, -0.02));
        else
            vgrad(shiftColour(base, hot ? 0.08 : 0.05), shiftColour(base, hot ? 0.0 : -0.03));
        frameRectRef(p, 0, 0, w, h, hot ? 0xC56A31 : shiftColour(base, pressed ? -0.45 : -0.38));
        break;
    case DiagonalStyle: {
        const ColourRef a = pressed ? shiftColour(base, -0.06) : shiftColour(base, hot ? 0.14 : 0.10);
        const ColourRef b = pressed ? shiftColour(base, 0.08) : shiftColour(base, hot ? 0.0 : -0.06);
        drawButtonGradient(p, a, b, 0, 0, w, h, GradientDirection::Diagonal);
        frameRectRef(p, 0, 0, w, h, shiftColour(base, pressed ? -0.50 : (hot ? -0.45 : -0.35)));
        break;
    }
    case ToolbarStyle:
    case RoundToolbarStyle:
        // A toolbar look: blue at rest, warm orange under the pointer, deeper when pressed.
        if (hot) {
            vgrad(0xCCF4FF, 0x91D0FF);
            frameRectRef(p, 0, 0, w, h, 0x800000);
        } else if (pressed) {
            vgrad(0x4E91FE, 0x8ED3FF);
            frameRectRef(p, 0, 0, w, h, 0x800000);
        } else {
            vgrad(shiftColour(base, 0.08), shiftColour(base, -0.10));
            frameRectRef(p, 0, 0, w, h, shiftColour(base, -0.32));
        }
        break;
    case FlatStyle:
        fillRectRef(p, 0, 0, w, h,
                    pressed ? shiftColour(base, -0.06) : (hot ? shiftColour(base, 0.04) : base));
        frameRectRef(p, 0, 0, w, h, shiftColour(base, pressed ? -0.50 : (hot ? -0.45 : -0.35)));
        if (hot)
            frameRectRef(p, 1, 1, w - 2, h - 2, shiftColour(base, 0.12));
        break;
    case ToolButtonStyle: {
        const EdgeColours edges = EdgeColours::fromPalette();
        if (look.ownChecked) {
            // A latched tool button: a lighter face sunk into the bar.
            fillRectRef(p, 0, 0, w, h, shiftColour(base, 0.04));
            drawEdgeRef(p, QRect(0, 0, w, h), BDR_SUNKENOUTER, edges);
        } else {
            fillRectRef(p, 0, 0, w, h, base);
            if (hot)
                drawEdgeRef(p, QRect(0, 0, w, h), BDR_RAISEDINNER, edges);
            else if (pressed)
                drawEdgeRef(p, QRect(0, 0, w, h), BDR_SUNKENOUTER, edges);
        }
        break;
    }
    case PeachStyle:
        if (pressed)
            vgrad(shiftColour(base, -0.08), shiftColour(base, -0.02));
        else
            vgrad(shiftColour(base, hot ? 0.10 : 0.06), shiftColour(base, hot ? 0.0 : -0.04));
        frameRectRef(p, 0, 0, w, h, shiftColour(base, pressed ? -0.45 : (hot ? -0.40 : -0.30)));
        break;
    case GlassStyle: {
        // Glass: a bright upper half over the plain colour.
        const double lift = hot ? 0.05 : 0.0;
        if (pressed) {
            twoHalves(p, 0, 0, w, h, shiftColour(base, -0.02), shiftColour(base, -0.06),
                      shiftColour(base, -0.10), shiftColour(base, -0.04));
        } else {
            twoHalves(p, 0, 0, w, h, shiftColour(base, 0.12 + lift), shiftColour(base, 0.06 + lift),
                      shiftColour(base, lift), shiftColour(base, 0.05 + lift));
            frameRectRef(p, 1, 1, w - 2, h - 2, shiftColour(base, 0.15 + lift));
        }
        frameRectRef(p, 0, 0, w, h, shiftColour(base, pressed ? -0.40 : -0.30));
        break;
    }
    default:
        fillRectRef(p, 0, 0, w, h, base);
        break;
    }
}

} // namespace skin
