// The bar-like controls: progress bars and header items.
#include "skin/skinner/cell_drawing.h"
#include "skin/skinner/control_painting.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QProgressBar>

namespace skin {

void paintProgressBar(QPainter &p, const QProgressBar *bar, const SkinImages &images)
{
    QImage image(bar->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(skinPalette::field);
    QPainter ip(&image);
    const QRect all = image.rect();
    ip.setPen(bar->isEnabled() ? skinPalette::outline : skinPalette::disabledOutline);
    ip.drawRect(all.adjusted(0, 0, -1, -1));

    const QRect inner = all.adjusted(2, 2, -2, -2);
    const qint64 span = qint64(bar->maximum()) - bar->minimum();
    const qint64 done =
        std::clamp<qint64>(qint64(bar->value()) - bar->minimum(), 0, std::max<qint64>(span, 0));
    const bool vertical = bar->orientation() == Qt::Vertical;
    const int length = vertical ? inner.height() : inner.width();
    const int filled = span > 0 ? int((length * done + span / 2) / span) : 0;
    if (filled > 0 && !inner.isEmpty()) {
        const QRect chunk = SkinImages::chunk(vertical);
        constexpr int kChunk = 11, kGap = 2;
        if (!bar->isEnabled())
            ip.setOpacity(kDisabledGlyphOpacity);
        ip.setClipRect(vertical ? QRect(inner.left(), inner.bottom() - filled + 1, inner.width(), filled)
                                : QRect(inner.left(), inner.top(), filled, inner.height()));
        for (int at = 0; at < filled; at += kChunk + kGap) {
            if (vertical) {
                const QRect target(inner.left(), inner.bottom() - at - kChunk + 1, inner.width(), kChunk);
                // Turned on its side, the chunk's bands run across the bar.
                const QImage turned = images.boxes.copy(chunk).transformed(QTransform().rotate(90));
                drawCell(ip, turned, turned.rect(), target, 0);
            } else {
                drawCell(ip, images.boxes, chunk,
                         QRect(inner.left() + at, inner.top(), kChunk, inner.height()), 0);
            }
        }
    }
    ip.end();
    p.drawImage(0, 0, image);
}

void paintHeader(QPainter &p, const QHeaderView *header, const SkinImages &images, int hotIndex,
                 int pressedIndex)
{
    const QWidget *viewport = header->viewport();
    const bool horizontal = header->orientation() == Qt::Horizontal;
    const QFontMetrics metrics(header->font());
    int end = 0; // where the last item ends, so that the rest is filled too
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical < 0 || header->isSectionHidden(logical))
            continue;
        const int pos = header->sectionViewportPosition(logical);
        const int size = header->sectionSize(logical);
        const QRect item =
            horizontal ? QRect(pos, 0, size, viewport->height()) : QRect(0, pos, viewport->width(), size);
        end = std::max(end, pos + size);
        if (item.isEmpty())
            continue;
        const int state = logical == pressedIndex ? 2 : logical == hotIndex ? 1 : 0;
        QImage image(item.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter ip(&image);
        drawCell(ip, images.headerItems, SkinImages::headerCell(state), image.rect(), 1);
        const QString text = header->model()
                                 ? header->model()->headerData(logical, header->orientation()).toString()
                                 : QString();
        const QRect textRect = image.rect().adjusted(3, 0, -3, 0);
        ip.setFont(header->font());
        ip.setPen(header->isEnabled() ? skinPalette::text : skinPalette::disabledText);
        ip.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine,
                    metrics.elidedText(text, Qt::ElideRight, textRect.width()));
        ip.end();
        p.drawImage(item.topLeft(), image);
    }
    const QRect rest = horizontal ? QRect(end, 0, viewport->width() - end, viewport->height())
                                  : QRect(0, end, viewport->width(), viewport->height() - end);
    if (!rest.isEmpty())
        drawCell(p, images.headerItems, SkinImages::headerCell(0), rest, 1);
}

} // namespace skin
