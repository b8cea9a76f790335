#pragma once

// The sheets for people to look at are drawn in Chinese, and in English when the run says so
// (TAVREL_SHEET_LANGUAGE=en, as scripts/screenshots and the English sheet tests do); the English
// ones are saved with "_en" before the extension.
#include "app/program_language.h"

#include <QCoreApplication>
#include <QTranslator>

class SheetLanguage
{
public:
    SheetLanguage()
    {
        if (english())
            m_translator = ProgramLanguage::install(ProgramLanguage::Language::English);
    }
    ~SheetLanguage()
    {
        if (m_translator) {
            QCoreApplication::removeTranslator(m_translator);
            delete m_translator;
        }
    }
    SheetLanguage(const SheetLanguage &) = delete;
    SheetLanguage &operator=(const SheetLanguage &) = delete;

    static bool english() { return qgetenv("TAVREL_SHEET_LANGUAGE") == "en"; }
    // "main_window_rows.png" -> "main_window_rows_en.png" in an English run.
    static QString fileName(const QString &name)
    {
        if (!english())
            return name;
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        return name.left(dot) + QStringLiteral("_en") + name.mid(dot);
    }

private:
    QTranslator *m_translator = nullptr;
};
