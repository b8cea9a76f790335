// The multistyle button: painting, the focus rectangle, caption and picture.
#include "skin/button/jcbutton.h"

#include "skin/button/button_look.h"
#include "skin/common/draw_helpers.h"
#include "skin/common/draw_primitives.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace skin {

// ---------------------------------------------------------------------------------------

void jcbutton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, render(Qt::transparent));
}

ColourRef jcbutton::sys(ColourRef colour) const
{
    return translateColour(colour, palette());
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
    const bool drawsOwnCheck = m_style == ClassicStyle || m_style == InfoStyle || m_style == ToolButtonStyle;
    if (look.checked && !drawsOwnCheck)
        look.state = StatePressed;
    look.ownChecked = look.checked && drawsOwnCheck;
    look.focusLook = m_containerActive && (m_hasFocus || m_isDefault) && look.enabled;
    look.back = sys(m_backColour);
    look.fore = sys(m_foreColour);
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
        case ClassicStyle:
        case StandardStyle:
        case SunkenStyle:
        case ThinEdgeStyle:
            paintStyle1Family(p, look);
            break;
        case InfoStyle:
            paintStyle3(p, look);
            break;
        case SoftStyle:
            paintStyle4(p, look);
            break;
        case ShadowStyle:
            paintStyle5(p, look);
            break;
        case GlossyStyle:
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
        const QRegion shape = roundRectRegion(look.w, look.h, corner, corner);
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setClipRegion(QRegion(image.rect()) - shape);
        p.fillRect(image.rect(), background);
    }
    return image;
}

// ---------------------------------------------------------------------------------------
// Focus rectangle, caption and picture

void jcbutton::paintFocus(QImage &image, const Look &look) const
{
    const int w = look.w, h = look.h;
    switch (look.style) {
    case ShadowStyle:
        if (look.state == StatePressed)
            drawFocusRectXor(image, 6, 6, w - 3, h - 3);
        else
            drawFocusRectXor(image, 3, 3, w - 6, h - 6);
        break;
    case ClassicStyle:
    case SunkenStyle:
        drawFocusRectXor(image, 4, 4, w - 4, h - 4);
        break;
    case SoftStyle:
        drawFocusRectXor(image, 2, 2, w - 2, h - 2);
        break;
    case GlossyStyle:
        drawFocusRectXor(image, 6, 4, w - 6, h - 4);
        break;
    default:
        drawFocusRectXor(image, 3, 3, w - 3, h - 3);
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
    if (m_useMaskColour) {
        QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
        const ColourRef mask = sys(m_maskColour);
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
    if (look.style == ShadowStyle) {
        dx = pressed ? 1 : -2;
        dy = pressed ? 2 : -2;
    } else if (pressed && (look.style == ClassicStyle || look.style == StandardStyle ||
                           look.style == InfoStyle || look.style == FlatStyle)) {
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

    ColourRef colour = look.fore;
    if (!look.enabled)
        colour = sys(kSysGrayText);
    else if (look.style == InfoStyle)
        colour = pressed && !look.ownChecked ? kWhite : sys(kSysButtonText);
    p.setPen(qColour(colour));
    p.setFont(font());
    p.drawText(QRect(tx + dx, ty + dy, tw + 1, th + 1), Qt::AlignLeft | Qt::AlignTop | flags, caption);
}

} // namespace skin
