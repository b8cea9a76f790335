#include "skin/skinner/button_skin.h"

#include "skin/skinner/cell_drawing.h"
#include "skin/skinner/skin_images.h"

#include <QFontMetrics>
#include <QPainter>

namespace skin {

namespace {

// "&Open" shows as "Open"; "&&" stands for one ampersand.
QString withoutMnemonic(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

} // namespace

ButtonSkin::ButtonSkin(QPushButton *button, const SkinImages &images) : m_button(button), m_skin(images)
{
    m_timer.setInterval(kFadeInterval);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { fadeStep(); });
    m_state = button->isEnabled() ? Normal : Disabled;
    render();
}

bool ButtonSkin::isStale() const
{
    return m_button &&
           (m_button->size() != m_size || m_button->text() != m_text || m_button->font() != m_font);
}

void ButtonSkin::render()
{
    if (!m_button)
        return;
    m_size = m_button->size();
    m_text = m_button->text();
    m_font = m_button->font();
    const int w = std::max(1, m_size.width()), h = std::max(1, m_size.height());
    const QRect textRect(QPoint(2, 2), QPoint(w - 3, h - 3)); // (2, 2) to (w - 2, h - 2), ends excluded
    const QFontMetrics metrics(m_font);
    const QString shown = metrics.elidedText(withoutMnemonic(m_text), Qt::ElideRight, textRect.width());
    for (int s = Normal; s <= Disabled; ++s) {
        QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        drawCell(p, m_skin.buttonFaces, SkinImages::buttonFaceCell(s), image.rect(), 3);
        p.setFont(m_font);
        p.setPen(s == Disabled ? skinPalette::disabledText : skinPalette::text);
        p.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, shown);
        m_images[s] = image;
    }
    m_shown = m_images[m_state];
}

void ButtonSkin::paint(QPainter &p)
{
    if (isStale()) {
        stopFade();
        render();
    }
    // A checked toggle button stays pressed while nothing moves.
    if (m_button && m_button->isChecked() && m_state != Disabled && !isFading())
        p.drawImage(0, 0, m_images[Pressed]);
    else
        p.drawImage(0, 0, m_shown);
}

void ButtonSkin::blend(State s, int alpha)
{
    QPainter p(&m_shown);
    p.setOpacity(std::min(alpha, 255) / 255.0);
    p.drawImage(0, 0, m_images[s]);
}

void ButtonSkin::startFade()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void ButtonSkin::stopFade()
{
    m_timer.stop();
}

void ButtonSkin::fadeStep()
{
    blend(m_state, m_alpha);
    m_alpha += kAlphaStep;
    if (m_alpha >= 256) {
        stopFade();
        m_alpha = 0;
    }
    if (m_button)
        m_button->update();
}

void ButtonSkin::enter()
{
    stopFade();
    m_shown = m_images[m_state];
    m_state = Hot;
    m_alpha = 0;
    startFade();
    if (m_button)
        m_button->update();
}

void ButtonSkin::press()
{
    stopFade();
    m_state = Pressed;
    m_shown = m_images[Pressed];
    m_alpha = 0;
    if (m_button)
        m_button->update();
}

void ButtonSkin::release()
{
    m_state = Normal;
    m_alpha = 60;
    startFade();
}

void ButtonSkin::leave()
{
    blend(Hot, 140);
    m_state = Normal;
    m_alpha = 0;
    startFade();
    if (m_button)
        m_button->update();
}

void ButtonSkin::enabledChanged(bool enabled)
{
    if (!enabled) {
        stopFade();
        m_state = Disabled;
        m_alpha = 0;
        m_shown = m_images[Disabled];
    } else if (m_state == Disabled) {
        m_state = Normal;
        m_alpha = 0;
        startFade();
    }
    if (m_button)
        m_button->update();
}

void ButtonSkin::refocus()
{
    if (m_state != Disabled)
        startFade();
}

} // namespace skin
