#include "app/program_language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace ProgramLanguage {

Language choose(const QStringList &uiLanguages)
{
    for (const QString &name : uiLanguages) {
        // "en", "en-US", "en_GB"; "zh", "zh-Hans-CN", "zh_TW"
        const QString language =
            name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (language == QLatin1String("en"))
            return Language::English;
        if (language == QLatin1String("zh"))
            return Language::Chinese;
    }
    return Language::Chinese;
}

Language ofSystem()
{
    const QLocale system = QLocale::system();
    // The C locale claims American English among its interface languages; it keeps Chinese.
    if (system.language() == QLocale::C)
        return Language::Chinese;
    return choose(system.uiLanguages());
}

QString qtCatalogueName(Language language)
{
    return language == Language::Chinese ? QStringLiteral("zh_CN") : QString();
}

// Built from translations/tavrel_en.ts and carried inside the program as a resource.
static QString englishCatalogue()
{
    return QStringLiteral(":/i18n/tavrel_en.qm");
}

QTranslator *install(Language language)
{
    if (language != Language::English)
        return nullptr;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(englishCatalogue()) && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

QString translateEarly(const char *context, const char *sourceText)
{
    QTranslator english;
    if (ofSystem() == Language::English && english.load(englishCatalogue())) {
        const QString text = english.translate(context, sourceText);
        if (!text.isEmpty())
            return text;
    }
    return QString::fromUtf8(sourceText);
}

} // namespace ProgramLanguage
