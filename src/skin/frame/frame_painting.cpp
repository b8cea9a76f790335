// The themed window frame: the title bar, caption buttons, border and shadow as painted.
#include "skin/frame/jcforms.h"

#include "skin/common/draw_primitives.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

namespace skin {

// ---------------------------------------------------------------------------------------
// Painting

void jcForms::paintTitleBackground(QPainter &p, int x, int w) const
{
    const int t = m_titleHeight;
    switch (m_style) {
    case 1:
        DrawGradientInRectangle(p, m_dark, m_light, x, -2, w, 10, 2, false, 0, 5.01);
        DrawGradientInRectangle(p, m_dark, m_light, x, 7, w, t - 7, 2, false, 0, 5.01);
        break;
    case 2:
        DrawGradientInRectangle(p, m_dark, m_light, x, -2, w, 10, 0);
        p.fillRect(QRect(x, 7, w, t - 7), qColour(m_dark));
        break;
    case 3:
        DrawGradientInRectangle(p, m_dark, m_light, x, -1, w, t + 1, 0);
        break;
    case 4:
        DrawGradientInRectangle(p, m_dark, m_light, x, -2, w, 7, 2, false, 0, 5.01);
        DrawGradientInRectangle(p, m_light, m_dark, x, 4, w, t - 4, 2, false, 0, 1.01);
        break;
    case 5: {
        const ColourRef c1 = BlendColor(m_dark, kBlack, 128);
        const ColourRef c2 = BlendColor(m_light, c1, 128);
        DrawGradientInRectangle(p, m_light, c2, x, -2, w, 12, 2, false, 0, 1.01);
        DrawGradientInRectangle(p, m_dark, m_dark, x, 8, w, t - 8, 2, false, 0, 7.01);
        APILineEx(p, x, 8, x + w, 8, BlendColor(m_dark, m_light, 128));
        APILineEx(p, x, 0, x + w, 0, BlendColor(kWhite, m_light, 128));
        break;
    }
    default:
        DrawGradientInRectangle(p, m_dark, m_light, x, -1, w, t + 1, 2, true, m_dark, 5.01);
        break;
    }
}

void jcForms::PaintShpInBar(QPainter &p, int left, int right, int top) const
{
    // A short row of raised dots in the middle of the bar, as a grip.
    const ColourRef darker = BlendColor(m_dark, kBlack, 128);
    const int mid = (left + right) / 2;
    for (int i = -4; i <= 4; ++i) {
        const int x = mid + i * 4;
        setPixelRef(p, x, top, m_light);
        setPixelRef(p, x + 1, top + 1, darker);
        setPixelRef(p, x, top + 3, m_light);
        setPixelRef(p, x + 1, top + 4, darker);
    }
}

void jcForms::paintGlyph(QPainter &p, int slot, int l, int t, ColourRef c) const
{
    auto line = [&](int x1, int y1, int x2, int y2) { APILineEx(p, l + x1, t + y1, l + x2, t + y2, c); };
    switch (slot) {
    case CloseSlot:
        line(6, 5, 14, 13);
        line(5, 5, 14, 14);
        line(5, 6, 13, 14);
        line(5, 12, 13, 4);
        line(5, 13, 14, 4);
        line(6, 13, 14, 5);
        break;
    case MaxSlot:
        if (m_windowState == MaximisedState && m_ready) {
            line(7, 5, 7, 8);
            line(7, 5, 16, 5);
            line(7, 4, 16, 4);
            line(15, 4, 15, 11);
            line(15, 11, 11, 11);
            line(3, 9, 11, 9);
            ApiRectangle(p, l + 3, t + 8, 8, 7, c);
        } else {
            line(4, 5, 15, 5);
            ApiRectangle(p, l + 4, t + 6, 10, 8, c);
        }
        break;
    case MinSlot:
        line(5, 11, 14, 11);
        line(5, 12, 14, 12);
        line(5, 13, 14, 13);
        break;
    default:
        break;
    }
}

void jcForms::DrawCaptionBtns(QPainter &p, int state, ColourRef colour, int slot) const
{
    if (slot < 0) {
        for (int s = 0; s < 3; ++s) {
            if (m_button[s].visible)
                DrawCaptionBtns(p, 0, colour, s);
        }
        return;
    }
    const CaptionButton &b = m_button[slot];
    if (!b.visible)
        return;
    const bool flat = m_style == 2 || m_style == 5;
    const ColourRef darker = BlendColor(m_dark, kBlack, 128);
    const ColourRef frameColour = flat ? kBlack : darker;
    int l = b.left, t = b.top;
    const int w = b.width, h = b.height;
    ColourRef glyph = colour;
    if (state == 0) {
        // The title background under the button is already in place: the whole frame is
        // painted in one pass.
        glyph = flat ? m_light : colour;
    } else {
        if (state == 2)
            ++l, ++t;
        DrawGradientInRectangle(p, BlendColor(colour, kWhite, 128), kWhite, l + 1, t, w - 1, h, 2, false, 0,
                                2.01);
        APILineEx(p, l + 1, t, l + w, t, frameColour);
        APILineEx(p, l, t + 1, l, t + h, frameColour);
        APILineEx(p, l + 1, t + h, l + w, t + h, frameColour);
        APILineEx(p, l + w, t + 1, l + w, t + h, frameColour);
        glyph = m_dark;
    }
    paintGlyph(p, slot, l, t, glyph);
}

void jcForms::DrawTitleBar(QPainter &p)
{
    const int sw = width(), sh = height(), t = m_titleHeight;
    const ColourRef darker = BlendColor(m_dark, kBlack, 128);
    placeCaptionButtons();

    if (sw > m_w0 + 1)
        paintTitleBackground(p, m_w0, sw + 1 - m_w0);

    if (m_style == 1)
        PaintShpInBar(p, 0, sw, 2);

    ApiRectangle(p, 0, t + 1, sw - 1, sh - t - 2, m_dark);
    ApiRectangle(p, 1, t + 1, sw - 3, sh - t - 3, m_dark);
    ApiRectangle(p, 2, t + 1, sw - 5, sh - t - 4, darker);

    if (m_titleBarShadow) {
        DrawGradientInRectangle(p, m_backColour, BlendColor(m_backColour, kBlack, 128), 3, t, sw - 6, 8, 0);
        APILineEx(p, -1, t, sw + 1, t, m_dark);
        APILineEx(p, 5, t, sw - 5, t, darker);
    } else if (m_style != 0) {
        APILineEx(p, -1, t, sw + 1, t, m_dark);
    }

    for (auto [x, y] :
         {std::pair{2, t + 1}, {2, t + 2}, {3, t + 1}, {sw - 3, t + 1}, {sw - 3, t + 2}, {sw - 4, t + 1}})
        setPixelRef(p, x, y, m_dark);
    for (auto [x, y] : {std::pair{4, t + 1}, {3, t + 2}, {sw - 5, t + 1}, {sw - 4, t + 2}})
        setPixelRef(p, x, y, darker);

    const QRect text = captionTextRect();
    if (m_ready && m_window && !m_window->windowTitle().isEmpty() && m_window->windowTitle() != m_caption)
        m_caption = m_window->windowTitle();
    if (!m_caption.isEmpty()) {
        p.setFont(m_boldFont);
        const QString shown = TrimWord(m_caption, text.width(), QFontMetrics(m_boldFont));
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        p.setPen(qColour(m_light));
        p.drawText(text, flags, shown);
        if (m_style != 2 && m_style != 5) {
            p.setPen(qColour(darker));
            p.drawText(text.translated(-1, -1), flags, shown);
        }
    }
}

void jcForms::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), qColour(m_backColour));
    if (!m_titleCache.isNull())
        p.drawImage(-1, 0, m_titleCache);
    DrawTitleBar(p);
    for (int s = 0; s < 3; ++s) {
        if (!m_button[s].visible)
            continue;
        int state = 0;
        if (s == m_hot)
            state = (m_pressed == s) ? 2 : (m_pressed < 0 ? 1 : 0);
        DrawCaptionBtns(p, state, m_dark, s);
    }
}

QImage jcForms::renderImage()
{
    // A hidden window gets no resize events; follow its size here.
    stretchOverWindow();
    QImage img(size(), QImage::Format_RGB32);
    img.fill(Qt::black);
    render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

} // namespace skin
