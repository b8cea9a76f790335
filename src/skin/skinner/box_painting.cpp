// The field-like controls: combo boxes, check and option boxes, list outlines.
#include "skin/skinner/cell_drawing.h"
#include "skin/skinner/control_painting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace skin {

namespace {

QColor outlineOf(const QWidget *w)
{
    return w->isEnabled() ? skinPalette::outline : skinPalette::disabledOutline;
}

void outline(QPainter &p, const QRect &r, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

} // namespace

QRect comboButtonRect(const QComboBox *combo)
{
    const int width = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo) + 1;
    return QRect(combo->width() - 1 - width, 1, width, combo->height() - 2);
}

void paintComboBox(QPainter &p, const QComboBox *combo, const SkinImages &images, bool hot, bool pressed)
{
    p.fillRect(combo->rect(), skinPalette::field);
    outline(p, combo->rect(), outlineOf(combo));
    const QRect button = comboButtonRect(combo);
    if (!combo->isEditable()) {
        // The chosen item, as a list of choices shows it: icon and text on one line.
        QRect text(4, 1, button.left() - 6, combo->height() - 2);
        const QIcon icon = combo->itemIcon(combo->currentIndex());
        if (!icon.isNull()) {
            const QSize size = combo->iconSize();
            icon.paint(&p, QRect(QPoint(text.left(), (combo->height() - size.height()) / 2), size),
                       Qt::AlignCenter, combo->isEnabled() ? QIcon::Normal : QIcon::Disabled);
            text.setLeft(text.left() + size.width() + 4);
        }
        p.setFont(combo->font());
        p.setPen(combo->isEnabled() ? skinPalette::text : skinPalette::disabledText);
        p.drawText(
            text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
            QFontMetrics(combo->font()).elidedText(combo->currentText(), Qt::ElideRight, text.width()));
    }
    if (!combo->isEnabled() || (!hot && !pressed))
        p.fillRect(button, skinPalette::field);
    else
        drawCell(p, images.comboButton, SkinImages::comboCell(pressed), button, 1);
    const QRect arrow = SkinImages::arrowGlyph();
    p.save();
    if (!combo->isEnabled())
        p.setOpacity(kDisabledGlyphOpacity);
    drawGlyph(p, images.comboButton, arrow,
              QPoint(button.x() + (button.width() - arrow.width()) / 2,
                     button.y() + (button.height() - arrow.height()) / 2));
    p.restore();
}

QRect checkIndicatorRect(const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const bool radio = qobject_cast<const QRadioButton *>(button) != nullptr;
    return button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, button);
}

void paintCheckBox(QPainter &p, const QAbstractButton *button, const SkinImages &images, int state)
{
    const QRect box = checkIndicatorRect(button);
    if (box.isEmpty())
        return;
    const bool radio = qobject_cast<const QRadioButton *>(button) != nullptr;
    const QRect cell = SkinImages::boxCell(state);
    p.save();
    if (radio) {
        // Option buttons take the same box, rounded: the widget's own round box is covered
        // by a field-coloured square first so that none of it shows at the corners.
        p.fillRect(box, button->palette().window());
        p.setRenderHint(QPainter::Antialiasing, true);
        QPainterPath round;
        round.addEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
        p.setClipPath(round);
        drawCell(p, images.boxes, cell, box, 5);
        p.setClipping(false);
        p.setPen(QPen(images.boxes.pixelColor(cell.topLeft()), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    } else {
        drawCell(p, images.boxes, cell, box, 5);
    }
    p.restore();

    const auto *check = qobject_cast<const QCheckBox *>(button);
    const bool partly = check && check->checkState() == Qt::PartiallyChecked;
    if (!button->isChecked() && !partly)
        return;
    const QRect glyph = radio || partly ? SkinImages::dotGlyph() : SkinImages::checkGlyph();
    if (!button->isEnabled())
        p.setOpacity(kDisabledGlyphOpacity);
    drawGlyph(p, images.glyphs, glyph,
              QPoint(box.x() + (box.width() - glyph.width() + 1) / 2,
                     box.y() + (box.height() - glyph.height() + 1) / 2));
}

void paintListOutline(QPainter &p, const QWidget *list)
{
    outline(p, list->rect(), outlineOf(list));
}

} // namespace skin
