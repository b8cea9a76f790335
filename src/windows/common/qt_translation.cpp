#include "windows/common/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QTranslator *installQtTranslation(const QString &languageName)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    // "qtbase_" holds the widgets' texts; the "qt_" catalogue only points to it and its siblings.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (translator->load(QStringLiteral("qtbase_") + languageName, folder) &&
        QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}
