// The faces of the multistyle button. Colour constants are colour references
// (0x00BBGGRR), as the looks were drawn up.
#include "skin/draw_primitives.h"
#include "skin/jcbutton.h"
#include "skin/jcbutton_draw.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

using namespace skin;

namespace {

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kBlack = 0x000000;

void line(QPainter &p, int x1, int y1, int x2, int y2, ColorRef c)
{
    APILineEx(p, x1, y1, x2, y2, c);
}

void cornerPixels(QPainter &p, int w, int h, ColorRef c)
{
    setPixelRef(p, 1, 1, c);
    setPixelRef(p, 1, h - 2, c);
    setPixelRef(p, w - 2, 1, c);
    setPixelRef(p, w - 2, h - 2, c);
}

// A gradient over the upper half and another over the lower half.
void twoHalves(QPainter &p, int x, int y, int w, int h, ColorRef top1, ColorRef top2, ColorRef bottom1,
               ColorRef bottom2)
{
    const int half = h / 2;
    DrawButtonGradient(p, top1, top2, x, y, w, half, GradientDirection::Vertical);
    DrawButtonGradient(p, bottom1, bottom2, x, y + half, w, h - half, GradientDirection::Vertical);
}

} // namespace

struct jcbutton::Look
{
    int w = 0;
    int h = 0;
    int style = 1;
    int state = StateNormal;
    bool enabled = true;
    bool checked = false;    // check mode with Value set
    bool ownChecked = false; // the style draws its own checked look
    bool focusLook = false;  // container active and the button focused or default
    ColorRef back = 0;
    ColorRef fore = 0;
};

ColorRef jcbutton::sys(ColorRef colour) const
{
    return translateColor(colour, palette());
}

jcbutton::Look jcbutton::currentLook() const
{
    Look look;
    look.w = width();
    look.h = height();
    look.style = m_style;
    look.enabled = isEnabled();
    look.state = look.enabled ? m_state : StateNormal;
    look.checked = m_checkBoxMode && m_value;
    const bool drawsOwnCheck = m_style == 0 || m_style == 3 || m_style == 9;
    if (look.checked && !drawsOwnCheck)
        look.state = StatePressed;
    look.ownChecked = look.checked && drawsOwnCheck;
    look.focusLook = m_containerActive && (m_hasFocus || m_isDefault) && look.enabled;
    look.back = sys(m_backColor);
    look.fore = sys(m_foreColor);
    return look;
}

QImage jcbutton::render(const QColor &background) const
{
    const Look look = currentLook();
    QImage image(std::max(1, look.w), std::max(1, look.h), QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    {
        QPainter p(&image);
        switch (look.style) {
        case 0:
        case 1:
        case 11:
        case 12:
            paintStyle1Family(p, look);
            break;
        case 3:
            paintStyle3(p, look);
            break;
        case 4:
            paintStyle4(p, look);
            break;
        case 5:
            paintStyle5(p, look);
            break;
        case 14:
            paintStyle14(p, look);
            break;
        default:
            paintOtherStyle(p, look);
            break;
        }
    }
    if (m_showFocusRect && look.focusLook)
        paintFocus(image, look);
    {
        QPainter p(&image);
        paintContent(p, look);
    }
    // Corners cut off by a rounded outline show what lies behind the button.
    const int corner = styleDefaults(look.style).corner;
    if (corner > 0) {
        const QRegion shape = RoundRectRegion(look.w, look.h, corner, corner);
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setClipRegion(QRegion(image.rect()) - shape);
        p.fillRect(image.rect(), background);
    }
    return image;
}

// ---------------------------------------------------------------------------------------
// Style 1 and its variants 0, 11 and 12

void jcbutton::paintStyle1Family(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h, style = look.style;
    const EdgeColours edges = EdgeColours::fromPalette();
    const QRect all(0, 0, w, h);
    FillRectRef(p, 0, 0, w, h, look.ownChecked ? ShiftColor(look.back, 0.02) : look.back);
    if (!look.enabled) {
        DrawEdgeRef(p, all, EDGE_RAISED, edges);
        return;
    }
    if (look.ownChecked) {
        DrawEdgeRef(p, all, EDGE_SUNKEN, edges);
        return;
    }
    switch (look.state) {
    case StatePressed:
        if (style == 1 || style == 12) {
            // White first, then grey one pixel further out: grey top and left, white bottom
            // and right.
            FrameRectRef(p, 0, 0, w, h, kWhite);
            FrameRectRef(p, 0, 0, w + 1, h + 1, sys(kSysGrayText));
        } else if (style == 0) {
            FrameRectRef(p, 1, 1, w - 2, h - 2, 0x99A8AC);
            FrameRectRef(p, 0, 0, w, h, kBlack);
        } else {
            DrawEdgeRef(p, all, EDGE_SUNKEN, edges);
        }
        return;
    case StateHot:
        DrawEdgeRef(p, all, (style == 1 || style == 12) ? BDR_RAISEDINNER : EDGE_RAISED, edges);
        break;
    default:
        // Style 12 lies flat until the pointer comes over it.
        if (style == 1)
            DrawEdgeRef(p, all, BDR_RAISEDINNER, edges);
        else if (style != 12)
            DrawEdgeRef(p, all, EDGE_RAISED, edges);
        break;
    }
    if (style == 0 && look.focusLook) {
        // The default button's look: a raised edge inside a black outline.
        DrawEdgeRef(p, QRect(0, 0, w - 1, h - 1), EDGE_RAISED, edges);
        FrameRectRef(p, 0, 0, w, h, kBlack);
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
        FillRectRef(p, 0, 0, w, h, ShiftColor(0xDDE4E5, 0.04));
        FrameRectRef(p, 0, 0, w, h, 0x929D9D);
        cornerPixels(p, w, h, ShiftColor(0xABB4B5, -0.05));
        return;
    }
    if (!look.enabled || state == StateNormal) {
        FillRectRef(p, 0, 0, w, h, look.back);
        return;
    }
    if (state == StateHot) {
        twoHalves(p, 0, 0, w, h, 0xFDFEFE, 0xEEF4F4, 0xEEF4F4, 0xEAF1F1);
        line(p, w - 2, 2, w - 2, h - 2, 0xE0E7EA);
        line(p, w - 3, 2, w - 3, h - 2, 0xEAF0F0);
        line(p, 0, h - 4, w, h - 4, 0xE5EDEE);
        line(p, 0, h - 3, w, h - 3, 0xD6E1E4);
        line(p, 0, h - 2, w, h - 2, 0xC6D2D7);
        FrameRectRef(p, 0, 0, w, h, 0xC3CECE);
        cornerPixels(p, w, h, ShiftColor(0xC9D4D4, -0.05));
        return;
    }
    FillRectRef(p, 0, 0, w, h, 0xDDE4E5);
    line(p, 1, 1, w - 2, 1, ShiftColor(0xD1DADC, -0.02));
    line(p, 1, 2, w - 2, 2, ShiftColor(0xDAE1E3, -0.02));
    line(p, 1, h - 3, w - 2, h - 3, ShiftColor(0xDEE5E6, 0.02));
    line(p, 1, h - 2, w - 2, h - 2, ShiftColor(0xE5EAEB, 0.02));
    FrameRectRef(p, 0, 0, w, h, 0x929D9D);
    cornerPixels(p, w, h, ShiftColor(0xABB4B5, -0.05));
}

// ---------------------------------------------------------------------------------------
// Style 4: a glossy grey face that turns pale blue under the pointer

void jcbutton::paintStyle4(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h;
    const ColorRef base = look.back;
    if (!look.enabled) {
        FillRectRef(p, 0, 0, w, h, ShiftColor(base, 0.03));
        FrameRectRef(p, 0, 0, w, h, ShiftColor(base, -0.25));
        FrameRectRef(p, 1, 1, w - 2, h - 2, ShiftColor(base, 0.25));
        cornerPixels(p, w, h, ShiftColor(base, -0.03));
        return;
    }
    switch (look.state) {
    case StateHot:
        twoHalves(p, 1, 1, w - 2, h - 2, 0xFFF7E4, 0xFFF3DA, 0xFFE9C1, 0xFDE1AE);
        FrameRectRef(p, 0, 0, w, h, 0xB17F3C);
        FrameRectRef(p, 1, 1, w - 2, h - 2, 0xFFFCF6);
        // Side lines fade with the face, a shade lighter than it.
        DrawButtonGradient(p, 0xFFFAEE, 0xFEEBC8, 1, 2, 1, h - 4, GradientDirection::Vertical);
        DrawButtonGradient(p, 0xFFFAEE, 0xFEEBC8, w - 2, 2, 1, h - 4, GradientDirection::Vertical);
        cornerPixels(p, w, h, BlendColor(0xB17F3C, 0xFFF7E4, 128));
        break;
    case StatePressed:
        twoHalves(p, 1, 1, w - 2, h - 2, 0xF6E4C2, ShiftColor(0xF6E4C2, -0.04), 0xF0D29A, 0xDBB368);
        FrameRectRef(p, 0, 0, w, h, 0x5C411D);
        line(p, 1, 1, w - 1, 1, 0xB39C71);
        line(p, 1, 2, w - 1, 2, 0xD6C6A9);
        line(p, 1, 3, w - 1, 3, 0xECD9B9);
        DrawButtonGradient(p, 0xB39C71, 0xD6C6A9, 1, 2, 1, h - 3, GradientDirection::Vertical);
        DrawButtonGradient(p, 0xB39C71, 0xD6C6A9, w - 2, 2, 1, h - 3, GradientDirection::Vertical);
        cornerPixels(p, w, h, BlendColor(0x5C411D, 0xF6E4C2, 128));
        break;
    default: {
        const ColorRef light = ShiftColor(base, 0.05);
        DrawButtonGradient(p, light, base, 1, 1, w - 1, h, GradientDirection::Vertical);
        DrawButtonGradient(p, ShiftColor(base, -0.02), ShiftColor(base, -0.15), 1, h / 2, w - 2, h - 2,
                           GradientDirection::Vertical);
        const ColorRef outer = look.focusLook ? 0xA77532 : 0x707070;
        FrameRectRef(p, 0, 0, w, h, outer);
        FrameRectRef(p, 1, 1, w - 2, h - 2, look.focusLook ? 0xFBD848 : kWhite);
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
    const ColorRef base = look.enabled ? look.back : ShiftColor(look.back, 0.1);
    const ColorRef rim = ShiftColor(base, 0.3);
    if (look.state == StatePressed) {
        FillRectRef(p, 3, 3, w, h, base);
        FrameRectRef(p, 3, 3, w - 3, h - 3, rim);
        return;
    }
    FrameRectRef(p, 6, 6, w - 9, h - 9, 0x808080);
    FrameRectRef(p, 5, 5, w - 7, h - 7, 0xA0A0A0);
    FrameRectRef(p, 4, 4, w - 5, h - 5, 0xC0C0C0);
    FillRectRef(p, 0, 0, w - 5, h - 5, base);
    FrameRectRef(p, 0, 0, w - 4, h - 4, rim);
}

// ---------------------------------------------------------------------------------------
// Style 14: a glossy pill, painted pixel by pixel inside its rounded outline

void jcbutton::paintStyle14(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h;
    const ColorRef base = look.enabled ? look.back : BlendColor(look.back, kWhite, 150);
    // Colour stops down the face: top, just above the middle, just below it, bottom.
    struct Stops
    {
        double top, upper, lower, bottom, rim;
    };
    static constexpr Stops kNormal{0.20, 0.07, -0.05, 0.04, -0.38};
    static constexpr Stops kHot{0.24, 0.11, -0.01, 0.09, -0.42};
    static constexpr Stops kPressed{-0.10, -0.05, -0.12, -0.02, -0.48};
    const Stops &s = look.state == StateHot ? kHot : (look.state == StatePressed ? kPressed : kNormal);
    const QRegion shape = RoundRectRegion(w, h, 18, 18);
    const int half = h / 2;
    for (int y = 0; y < h; ++y) {
        const ColorRef rowColour =
            y < half
                ? gradientStep(ShiftColor(base, s.top), ShiftColor(base, s.upper), y, std::max(1, half - 1))
                : gradientStep(ShiftColor(base, s.lower), ShiftColor(base, s.bottom), y - half,
                               std::max(1, h - half - 1));
        for (int x = 0; x < w; ++x) {
            if (!shape.contains(QPoint(x, y)))
                continue;
            const bool rim = !shape.contains(QPoint(x - 1, y)) || !shape.contains(QPoint(x + 1, y)) ||
                             !shape.contains(QPoint(x, y - 1)) || !shape.contains(QPoint(x, y + 1));
            setPixelRef(p, x, y, rim ? ShiftColor(base, s.rim) : rowColour);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Styles 2, 6, 7, 8, 9, 10, 13 and 15

void jcbutton::paintOtherStyle(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h, style = look.style;
    // Disabled faces are washed out towards white and never hot or pressed.
    const ColorRef base = look.enabled ? look.back : BlendColor(look.back, kWhite, 150);
    const int state = look.state;
    const bool hot = state == StateHot, pressed = state == StatePressed;
    auto vgrad = [&](ColorRef a, ColorRef b) {
        DrawButtonGradient(p, a, b, 0, 0, w, h, GradientDirection::Vertical);
    };
    switch (style) {
    case 2:
        if (pressed)
            vgrad(ShiftColor(base, -0.08), ShiftColor(base, -0.02));
        else
            vgrad(ShiftColor(base, hot ? 0.08 : 0.05), ShiftColor(base, hot ? 0.0 : -0.03));
        FrameRectRef(p, 0, 0, w, h, hot ? 0xC56A31 : ShiftColor(base, pressed ? -0.45 : -0.38));
        break;
    case 6: {
        const ColorRef a = pressed ? ShiftColor(base, -0.06) : ShiftColor(base, hot ? 0.14 : 0.10);
        const ColorRef b = pressed ? ShiftColor(base, 0.08) : ShiftColor(base, hot ? 0.0 : -0.06);
        DrawButtonGradient(p, a, b, 0, 0, w, h, GradientDirection::Diagonal);
        FrameRectRef(p, 0, 0, w, h, ShiftColor(base, pressed ? -0.50 : (hot ? -0.45 : -0.35)));
        break;
    }
    case 7:
    case 10:
        // A toolbar look: blue at rest, warm orange under the pointer, deeper when pressed.
        if (hot) {
            vgrad(0xCCF4FF, 0x91D0FF);
            FrameRectRef(p, 0, 0, w, h, 0x800000);
        } else if (pressed) {
            vgrad(0x4E91FE, 0x8ED3FF);
            FrameRectRef(p, 0, 0, w, h, 0x800000);
        } else {
            vgrad(ShiftColor(base, 0.08), ShiftColor(base, -0.10));
            FrameRectRef(p, 0, 0, w, h, ShiftColor(base, -0.32));
        }
        break;
    case 8:
        FillRectRef(p, 0, 0, w, h, pressed ? ShiftColor(base, -0.06) : (hot ? ShiftColor(base, 0.04) : base));
        FrameRectRef(p, 0, 0, w, h, ShiftColor(base, pressed ? -0.50 : (hot ? -0.45 : -0.35)));
        if (hot)
            FrameRectRef(p, 1, 1, w - 2, h - 2, ShiftColor(base, 0.12));
        break;
    case 9: {
        const EdgeColours edges = EdgeColours::fromPalette();
        if (look.ownChecked) {
            // A latched tool button: a lighter face sunk into the bar.
            FillRectRef(p, 0, 0, w, h, ShiftColor(base, 0.04));
            DrawEdgeRef(p, QRect(0, 0, w, h), BDR_SUNKENOUTER, edges);
        } else {
            FillRectRef(p, 0, 0, w, h, base);
            if (hot)
                DrawEdgeRef(p, QRect(0, 0, w, h), BDR_RAISEDINNER, edges);
            else if (pressed)
                DrawEdgeRef(p, QRect(0, 0, w, h), BDR_SUNKENOUTER, edges);
        }
        break;
    }
    case 13:
        if (pressed)
            vgrad(ShiftColor(base, -0.08), ShiftColor(base, -0.02));
        else
            vgrad(ShiftColor(base, hot ? 0.10 : 0.06), ShiftColor(base, hot ? 0.0 : -0.04));
        FrameRectRef(p, 0, 0, w, h, ShiftColor(base, pressed ? -0.45 : (hot ? -0.40 : -0.30)));
        break;
    case 15: {
        // Glass: a bright upper half over the plain colour.
        const double lift = hot ? 0.05 : 0.0;
        if (pressed) {
            twoHalves(p, 0, 0, w, h, ShiftColor(base, -0.02), ShiftColor(base, -0.06),
                      ShiftColor(base, -0.10), ShiftColor(base, -0.04));
        } else {
            twoHalves(p, 0, 0, w, h, ShiftColor(base, 0.12 + lift), ShiftColor(base, 0.06 + lift),
                      ShiftColor(base, lift), ShiftColor(base, 0.05 + lift));
            FrameRectRef(p, 1, 1, w - 2, h - 2, ShiftColor(base, 0.15 + lift));
        }
        FrameRectRef(p, 0, 0, w, h, ShiftColor(base, pressed ? -0.40 : -0.30));
        break;
    }
    default:
        FillRectRef(p, 0, 0, w, h, base);
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Focus rectangle, caption and picture

void jcbutton::paintFocus(QImage &image, const Look &look) const
{
    const int w = look.w, h = look.h;
    switch (look.style) {
    case 5:
        if (look.state == StatePressed)
            DrawFocusRectXor(image, 6, 6, w - 3, h - 3);
        else
            DrawFocusRectXor(image, 3, 3, w - 6, h - 6);
        break;
    case 0:
    case 11:
        DrawFocusRectXor(image, 4, 4, w - 4, h - 4);
        break;
    case 4:
        DrawFocusRectXor(image, 2, 2, w - 2, h - 2);
        break;
    case 14:
        DrawFocusRectXor(image, 6, 4, w - 6, h - 4);
        break;
    default:
        DrawFocusRectXor(image, 3, 3, w - 3, h - 3);
        break;
    }
}

QPixmap jcbutton::currentPicture(const Look &look) const
{
    QPixmap pm = (look.state == StateHot && !m_pictureHover.isNull()) ? m_pictureHover : m_picture;
    if (pm.isNull())
        return pm;
    static constexpr int kSides[] = {0, 16, 24, 32};
    const int side = (m_pictureSize >= 1 && m_pictureSize <= 3) ? kSides[m_pictureSize] : 0;
    if (side > 0)
        pm = pm.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // A picture too big for the button shrinks to fit, keeping its proportions.
    const int maxW = std::max(1, look.w - 8), maxH = std::max(1, look.h - 4);
    if (pm.width() > maxW || pm.height() > maxH)
        pm = pm.scaled(maxW, maxH, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (m_useMaskColor) {
        QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
        const ColorRef mask = sys(m_maskColor);
        const QRgb key = qRgb(refRed(mask), refGreen(mask), refBlue(mask));
        for (int y = 0; y < img.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                    row[x] = 0;
            }
        }
        pm = QPixmap::fromImage(img);
    }
    if (!look.enabled) {
        QStyleOption opt;
        opt.initFrom(this);
        pm = style()->generatedIconPixmap(QIcon::Disabled, pm, &opt);
    }
    return pm;
}

void jcbutton::paintContent(QPainter &p, const Look &look) const
{
    const int w = look.w, h = look.h;
    const QString caption = text();
    const int flags = Qt::TextShowMnemonic | Qt::TextSingleLine;
    const QFontMetrics fm(font());
    const int tw = caption.isEmpty() ? 0 : fm.size(flags, caption).width();
    const int th = caption.isEmpty() ? 0 : fm.height();

    // The caption's press offsets; style 5 also sits up and left of its shadow when raised.
    int dx = 0, dy = 0;
    const bool pressed = look.state == StatePressed;
    if (look.style == 5) {
        dx = pressed ? 1 : -2;
        dy = pressed ? 2 : -2;
    } else if (pressed && (look.style == 0 || look.style == 1 || look.style == 3 || look.style == 8)) {
        dx = dy = 1;
    }

    auto alignedX = [&](int left, int right, int width) {
        switch (m_captionAlign) {
        case 0:
            return left;
        case 2:
            return right - width;
        default:
            return left + (right - left) / 2 - width / 2;
        }
    };

    int tx = alignedX(4, w - 4, tw);
    int ty = h / 2 - th / 2;
    const QPixmap pm = currentPicture(look);
    int px = 0, py = 0;
    if (!pm.isNull()) {
        const int pw = pm.width(), ph = pm.height();
        const int gap = caption.isEmpty() ? 0 : 4;
        switch (m_pictureAlign) {
        case PictureLeftEdge:
            px = 4, py = (h - ph) / 2;
            tx = alignedX(px + pw + gap, w - 4, tw);
            break;
        case PictureRightEdge:
            px = w - 4 - pw, py = (h - ph) / 2;
            tx = alignedX(4, px - gap, tw);
            break;
        case PictureRightOfCaption: {
            const int gx = alignedX(4, w - 4, tw + gap + pw);
            tx = gx, px = gx + tw + gap, py = (h - ph) / 2;
            break;
        }
        case PictureTopEdge:
            px = (w - pw) / 2, py = 2;
            ty = py + ph + std::max(0, (h - 2 - (py + ph) - th) / 2);
            break;
        case PictureTopOfCaption: {
            const int gy = (h - (ph + gap + th)) / 2;
            px = (w - pw) / 2, py = gy, ty = gy + ph + gap;
            break;
        }
        case PictureBottomEdge:
            px = (w - pw) / 2, py = h - 2 - ph;
            ty = std::max(0, (py - th) / 2);
            break;
        case PictureBottomOfCaption: {
            const int gy = (h - (th + gap + ph)) / 2;
            ty = gy, px = (w - pw) / 2, py = gy + th + gap;
            break;
        }
        case PictureBehindCaption:
            px = (w - pw) / 2, py = (h - ph) / 2;
            break;
        default: { // beside the caption, on its left
            const int gx = alignedX(4, w - 4, pw + gap + tw);
            px = gx, py = (h - ph) / 2, tx = gx + pw + gap;
            break;
        }
        }
        p.drawPixmap(px + dx, py + dy, pm);
    }
    if (caption.isEmpty())
        return;

    ColorRef colour = look.fore;
    if (!look.enabled)
        colour = sys(kSysGrayText);
    else if (look.style == 3)
        colour = pressed && !look.ownChecked ? kWhite : sys(kSysButtonText);
    p.setPen(QColor(refRed(colour), refGreen(colour), refBlue(colour)));
    p.setFont(font());
    p.drawText(QRect(tx + dx, ty + dy, tw + 1, th + 1), Qt::AlignLeft | Qt::AlignTop | flags, caption);
}
