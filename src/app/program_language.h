#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

// The language the program speaks. Chinese is the source of every text and what it speaks unless
// the user's interface languages put English before Chinese; the C and POSIX locales keep Chinese.
namespace ProgramLanguage {

enum class Language { Chinese, English };

// From the user's interface languages, best first ("en-US", "zh-Hans-CN", "de", ...): the first
// one that is English or Chinese decides; none of them, or only "C", gives Chinese.
Language choose(const QStringList &uiLanguages);

// The choice for this process's locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
Language ofSystem();

// The name of Qt's own catalogue for the language ("zh_CN"), empty where Qt's texts are already
// in it (English).
QString qtCatalogueName(Language language);

// Puts the program's translation for the language into the application (which owns it). Chinese
// needs none and gets none. Returns the installed translator, or nullptr.
QTranslator *install(Language language);

// A text needed before there is an application to hold a translator (a line on the error output
// before the window library gives up), in the language of this process's locale.
QString translateEarly(const char *context, const char *sourceText);

} // namespace ProgramLanguage
