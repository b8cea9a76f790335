#pragma once

#include <QFont>
#include <QString>

// The fonts the windows are designed in ("宋体", "Tahoma") are not on this platform. Each font asks
// for its design family first and then for a Chinese face that stays legible at 8 and 9 points
// (Droid Sans Fallback, whose strokes stay apart where heavier faces run together), so the family
// a window reports is its design family and what the user reads is sharp.
QString chineseFace();
QFont programFont(const QString &designFamily, qreal points);
// Puts the Chinese face behind the application's default font, for the windows and menus that
// keep it (Qt's file dialog among them).
void useLegibleChineseFace();

// The fonts of the program's buttons: "宋体" 9 pt on the main and naming-rule windows, Tahoma
// 8.25 pt in the message box.
inline QFont songtiFont()
{
    return programFont(QStringLiteral("宋体"), 9);
}
inline QFont tahomaFont()
{
    return programFont(QStringLiteral("Tahoma"), 8.25);
}
