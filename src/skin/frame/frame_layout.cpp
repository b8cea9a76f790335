// The themed window frame: colours, title height and the places of the caption buttons.
#include "skin/frame/jcforms.h"

#include "skin/common/draw_primitives.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

namespace skin {

// ---------------------------------------------------------------------------------------
// Colours, title height, layout

void jcForms::SetThemeColor()
{
    if (m_themeColour == 6) {
        // There is no desktop colour scheme to follow here: the classic colours apply.
        m_schemeName = QStringLiteral("Classic");
        GetGradientColor(m_schemeName, false, m_rawDark, m_rawLight);
    } else if (m_themeColour == 5) {
        m_rawDark = translateColour(m_colourFrom);
        m_rawLight = translateColour(m_colourTo);
    } else {
        themeColours(m_themeColour, m_rawDark, m_rawLight);
    }
    if (m_active) {
        m_dark = m_rawDark;
        m_light = m_rawLight;
    } else {
        m_dark = BlendColor(m_rawDark, kWhite, 190);
        m_light = BlendColor(m_rawLight, kWhite, 190);
    }
}

void jcForms::applyBackColor()
{
    ColourRef c = kColourInvalid;
    switch (m_backColourStyle) {
    case 1:
        c = m_light;
        break;
    case 2:
        c = translateColour(m_customBackColour);
        break;
    default:
        c = translateColour(kSysButtonFace);
        break;
    }
    if (c == kColourInvalid)
        c = translateColour(kSysButtonFace);
    m_backColour = c;
}

void jcForms::TitleBarHeightSetup()
{
    QFont f = m_window ? m_window->font() : font();
    f.setBold(true);
    m_boldFont = f;
    setFont(f);
    const int textHeight = QFontMetrics(f).height();
    m_baseTitleHeight = std::max(textHeight + 10, int(m_iconSize) + 15);
    m_titleHeight = m_baseTitleHeight + (m_style == 1 ? 10 : 0);
}

int jcForms::leftmostButton() const
{
    for (int slot = 2; slot >= 0; --slot) {
        if (m_button[slot].visible)
            return slot;
    }
    return -1;
}

void jcForms::CaptionBtnSetup()
{
    placeCaptionButtons();
    m_button[CloseSlot].tooltip = m_closeTip;
    m_button[MinSlot].tooltip = m_minTip;
    m_button[MaxSlot].tooltip = m_windowState == MaximisedState ? m_restoreTip : m_maxTip;
}

// The buttons hang from the right edge, centred on the title height: both change with the
// window's size, Style and IconSize, so every full title-bar drawing places them again.
void jcForms::placeCaptionButtons()
{
    const int sw = width();
    const int bh = m_button[CloseSlot].visible ? m_button[CloseSlot].height : 18;
    int offset = roundEven((m_titleHeight - bh) / 2.0);
    if (m_style == 1)
        offset += 3;
    int k = 0;
    for (auto &b : m_button) {
        b.width = 18;
        b.height = 18;
        if (!b.visible)
            continue;
        b.left = sw - 3 - 21 * (k + 1);
        b.top = offset + 2;
        ++k;
    }
}

QRect jcForms::captionTextRect() const
{
    const int lm = leftmostButton();
    const int bl = lm < 0 ? width() : m_button[lm].left;
    // From (9, 4) up to, not including, (bl - 12, T); Style 1 sits 7 pixels lower.
    QRect text = m_style == 1 ? QRect(9, 11, bl - 12 - 9, m_titleHeight + 3 - 11)
                              : QRect(9, 4, bl - 12 - 9, m_titleHeight - 4);
    if (m_w0 > 0) {
        text.translate(m_iconSize + 6, 0);
        text.setRight(text.right() - m_iconSize);
    }
    return text;
}

void jcForms::BorderStyleSetup()
{
    CaptionBtnSetup();
    DrawTitleBarInitial();
    update();
}

void jcForms::DrawTitleBarInitial()
{
    const QIcon icon = m_window ? m_window->windowIcon() : QIcon();
    const int sw = width();
    m_w0 = icon.isNull() ? 0 : sw - 1;
    m_titleCache = QImage();
    if (m_w0 <= 0)
        return;
    // The title background with the icon, kept so that repaints need not scale the icon.
    m_titleCache = QImage(m_w0 + 2, m_titleHeight + 1, QImage::Format_RGB32);
    m_titleCache.fill(qColour(m_backColour));
    QPainter p(&m_titleCache);
    p.translate(1, 0); // the image starts at x = -1
    paintTitleBackground(p, -1, m_w0 + 2);
    const int s = m_iconSize;
    // Halves round to even, like every other position of the title bar.
    const int y = m_style == 1 ? roundEven((m_titleHeight - s - 8) / 2.0 + 10)
                               : roundEven((m_titleHeight - s) / 2.0 + 2);
    icon.paint(&p, QRect(9, y, s, s));
}

void jcForms::Refresh(bool force)
{
    if (m_changeAllBackgrounds || force)
        applyBackColor();
    DrawTitleBarInitial();
    handleResize();
}

} // namespace skin
