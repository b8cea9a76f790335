// Theme colours of the frame and the shortening of its caption.
#include "skin/frame/frame_theme.h"

#include <QFontMetrics>

namespace skin {

void themeColours(int theme, ColourRef &dark, ColourRef &light)
{
    switch (theme) {
    case 1:
        dark = rgbRef(95, 95, 111), light = rgbRef(244, 244, 251);
        break;
    case 2:
        dark = rgbRef(63, 93, 56), light = rgbRef(247, 249, 225);
        break;
    case 3:
        dark = rgbRef(98, 107, 72), light = rgbRef(248, 248, 242);
        break;
    case 4:
        dark = rgbRef(117, 91, 30), light = rgbRef(255, 239, 165);
        break;
    default:
        dark = rgbRef(19, 97, 156), light = rgbRef(221, 236, 254);
        break;
    }
}

void GetGradientColor(const QString &schemeName, bool themed, ColourRef &dark, ColourRef &light)
{
    if (!themed)
        themeColours(0, dark, light);
    else if (schemeName == QLatin1String("NormalColor"))
        themeColours(0, dark, light);
    else if (schemeName == QLatin1String("Metallic"))
        themeColours(1, dark, light);
    else if (schemeName == QLatin1String("HomeStead"))
        themeColours(2, dark, light);
}

QString TrimWord(const QString &text, int width, const QFontMetrics &metrics)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    QString t = text;
    while (!t.isEmpty()) {
        // Whole characters only: never half of a surrogate pair.
        t.chop(t.size() >= 2 && t.back().isLowSurrogate() && t[t.size() - 2].isHighSurrogate() ? 2 : 1);
        if (t.isEmpty())
            break;
        if (metrics.horizontalAdvance(t + dots) <= width)
            return t + dots;
    }
    return QString();
}

} // namespace skin
