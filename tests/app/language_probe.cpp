// Prints the language this process's locale chooses and, once its translation is in, how the
// program words a finished rename: "en Renamed", "zh 修改完成". Ends with 2 when the words found
// before the translator is in differ.
#include "app/program_language.h"
#include "rename/rename_run.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const ProgramLanguage::Language language = ProgramLanguage::ofSystem();
    // The same words before the translator is in.
    const QString early = ProgramLanguage::translateEarly("RenameRun", "修改完成");
    ProgramLanguage::install(language);
    if (early != RenameStatus::done())
        return 2;
    const QString line =
        (language == ProgramLanguage::Language::English ? QStringLiteral("en ") : QStringLiteral("zh ")) +
        RenameStatus::done() + QLatin1Char('\n');
    std::fputs(line.toUtf8().constData(), stdout);
    return 0;
}
