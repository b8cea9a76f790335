#include "windows/common/program_fonts.h"

#include <QApplication>

QString chineseFace()
{
    return QStringLiteral("Droid Sans Fallback");
}

void useLegibleChineseFace()
{
    const QFont current = QApplication::font();
    QApplication::setFont(programFont(current.family(), current.pointSizeF()));
}

QFont programFont(const QString &designFamily, qreal points)
{
    // Latin text keeps a face made for the screen when the design family is missing.
    QFont font(QStringList{designFamily, QStringLiteral("DejaVu Sans"), chineseFace(),
                           QStringLiteral("WenQuanYi Zen Hei")});
    font.setPointSizeF(points);
    return font;
}
