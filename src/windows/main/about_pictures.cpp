#include "windows/main/about_pictures.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// Everything is drawn on a 100-unit square and scaled to the size asked for.
template <typename Draw> QPixmap drawn(int size, Draw draw)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    draw(p);
    p.end();
    return pm;
}

void drawTag(QPainter &p, const QRectF &r, const QColor &colour, const QString &text)
{
    QPainterPath tag;
    tag.moveTo(r.left() + r.height() / 2, r.top());
    tag.lineTo(r.right(), r.top());
    tag.lineTo(r.right(), r.bottom());
    tag.lineTo(r.left() + r.height() / 2, r.bottom());
    tag.lineTo(r.left(), r.center().y());
    tag.closeSubpath();
    p.fillPath(tag, colour);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(r.left() + r.height() * 0.55, r.center().y()), 2.2, 2.2);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(int(r.height() * 0.62));
    f.setBold(true);
    p.setFont(f);
    p.drawText(r.adjusted(r.height() * 0.9, 0, 0, 0), Qt::AlignCenter, text);
}

} // namespace

QPixmap programPicture(int size)
{
    return drawn(size, [](QPainter &p) {
        QLinearGradient g(0, 0, 0, 100);
        g.setColorAt(0, QColor(0x3F, 0x8E, 0xD8));
        g.setColorAt(1, QColor(0x1D, 0x5A, 0xA6));
        QPainterPath back;
        back.addRoundedRect(QRectF(4, 4, 92, 92), 20, 20);
        p.fillPath(back, g);
        // A file sheet with a folded corner...
        QPainterPath sheet;
        sheet.moveTo(26, 18);
        sheet.lineTo(60, 18);
        sheet.lineTo(74, 32);
        sheet.lineTo(74, 82);
        sheet.lineTo(26, 82);
        sheet.closeSubpath();
        p.fillPath(sheet, QColor(0xF7, 0xFA, 0xFF));
        QPainterPath fold;
        fold.moveTo(60, 18);
        fold.lineTo(60, 32);
        fold.lineTo(74, 32);
        fold.closeSubpath();
        p.fillPath(fold, QColor(0xB9, 0xD2, 0xF0));
        // ...whose name is being rewritten.
        p.setPen(QPen(QColor(0x9D, 0xB5, 0xD3), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(34, 44), QPointF(62, 44));
        p.drawLine(QPointF(34, 54), QPointF(56, 54));
        p.setPen(QPen(QColor(0xF2, 0x9B, 0x28), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(34, 68), QPointF(50, 68));
        p.setPen(QPen(QColor(0xF2, 0x9B, 0x28), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(56, 61), QPointF(56, 75));
    });
}

QPixmap packagePicture(int size)
{
    return drawn(size, [](QPainter &p) {
        p.fillRect(QRectF(0, 0, 100, 100), QColor(0xEE, 0xF4, 0xEA));
        // A parcel seen from the front-left: top, left and right faces.
        const QColor top(0xE3, 0xB7, 0x7A), left(0xC9, 0x93, 0x4F), right(0xB3, 0x7F, 0x40);
        QPainterPath t, l, r;
        t.moveTo(50, 16);
        t.lineTo(84, 32);
        t.lineTo(50, 48);
        t.lineTo(16, 32);
        t.closeSubpath();
        l.moveTo(16, 32);
        l.lineTo(50, 48);
        l.lineTo(50, 86);
        l.lineTo(16, 70);
        l.closeSubpath();
        r.moveTo(84, 32);
        r.lineTo(50, 48);
        r.lineTo(50, 86);
        r.lineTo(84, 70);
        r.closeSubpath();
        p.fillPath(t, top);
        p.fillPath(l, left);
        p.fillPath(r, right);
        p.setPen(QPen(QColor(0xF4, 0xE2, 0xC2), 4));
        p.drawLine(QPointF(33, 24), QPointF(67, 40));
        p.drawLine(QPointF(67, 40), QPointF(67, 78));
        drawTag(p, QRectF(8, 74, 46, 16), QColor(0x2E, 0x8B, 0x57),
                QCoreApplication::translate("AboutPictures", "名称"));
    });
}

QPixmap phonePicture(int size)
{
    return drawn(size, [](QPainter &p) {
        p.fillRect(QRectF(0, 0, 100, 100), QColor(0xEA, 0xF0, 0xF8));
        QPainterPath body;
        body.addRoundedRect(QRectF(28, 8, 44, 84), 8, 8);
        p.fillPath(body, QColor(0x34, 0x3A, 0x46));
        p.fillRect(QRectF(32, 16, 36, 64), QColor(0xFD, 0xFD, 0xFD));
        p.setBrush(QColor(0x5A, 0x62, 0x70));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(50, 86), 3, 3);
        // Four application tiles on the screen.
        const QColor tiles[4] = {QColor(0x4C, 0xAF, 0x50), QColor(0x3F, 0x8E, 0xD8), QColor(0xF2, 0x9B, 0x28),
                                 QColor(0xD6, 0x4B, 0x5A)};
        for (int i = 0; i < 4; ++i) {
            QPainterPath tile;
            tile.addRoundedRect(QRectF(36 + (i % 2) * 16, 22 + (i / 2) * 16, 12, 12), 3, 3);
            p.fillPath(tile, tiles[i]);
        }
        drawTag(p, QRectF(44, 62, 50, 16), QColor(0x1D, 0x5A, 0xA6), QStringLiteral("v1.0"));
    });
}
