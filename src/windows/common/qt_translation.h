#pragma once

#include <QString>

class QTranslator;

// Qt's own windows (the file dialog, the standard message box) speak the program's language:
// Qt's catalogue for that language (Debian's qt6-translations-l10n) is put into the application.
// languageName: "zh_CN" and the like. Returns the installed translator (owned by the application),
// or nullptr when no such catalogue is installed; Qt's own texts then stay in English.
QTranslator *installQtTranslation(const QString &languageName = QStringLiteral("zh_CN"));
