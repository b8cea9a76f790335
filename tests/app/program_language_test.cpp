#include "app/program_language.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTranslator>
#include <gtest/gtest.h>

using ProgramLanguage::Language;

TEST(ProgramLanguage, TheFirstOfEnglishAndChineseAmongTheUserLanguagesDecides)
{
    EXPECT_EQ(ProgramLanguage::choose({"en-US", "en-Latn-US", "en"}), Language::English);
    EXPECT_EQ(ProgramLanguage::choose({"zh-CN", "zh-Hans-CN", "zh"}), Language::Chinese);
    EXPECT_EQ(ProgramLanguage::choose({"zh_TW"}), Language::Chinese);
    EXPECT_EQ(ProgramLanguage::choose({"en-GB", "zh"}), Language::English);
    EXPECT_EQ(ProgramLanguage::choose({"zh-CN", "en"}), Language::Chinese);
    // A language we have no translation for is passed over.
    EXPECT_EQ(ProgramLanguage::choose({"de", "de-DE", "en", "en-US"}), Language::English);
    EXPECT_EQ(ProgramLanguage::choose({"fr-FR"}), Language::Chinese);
    EXPECT_EQ(ProgramLanguage::choose({"C"}), Language::Chinese);
    EXPECT_EQ(ProgramLanguage::choose({}), Language::Chinese);
}

TEST(ProgramLanguage, OnlyEnglishHasATranslationAndQtsCatalogueFollows)
{
    EXPECT_EQ(ProgramLanguage::install(Language::Chinese), nullptr);
    EXPECT_EQ(ProgramLanguage::qtCatalogueName(Language::Chinese), "zh_CN");
    EXPECT_EQ(ProgramLanguage::qtCatalogueName(Language::English), "");
    QTranslator *english = ProgramLanguage::install(Language::English);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(QCoreApplication::translate("MainWindow", "添加文件"), "Add files");
    QCoreApplication::removeTranslator(english);
    delete english;
    EXPECT_EQ(QCoreApplication::translate("MainWindow", "添加文件"), "添加文件");
}

// The locale's variables decide, as the program starts with them.
TEST(ProgramLanguage, TheLocaleOfTheProcessChoosesItsTranslation)
{
    struct Case
    {
        QStringList environment;
        const char *expected;
    };
    const Case cases[] = {
        {{"LANG=zh_CN.UTF-8"}, "zh 修改完成"},
        {{"LANG=C.UTF-8"}, "zh 修改完成"},
        {{"LANG=C"}, "zh 修改完成"},
        {{}, "zh 修改完成"},
        {{"LANG=en_US.UTF-8"}, "en Renamed"},
        {{"LANG=zh_CN.UTF-8", "LANGUAGE=en_GB:zh"}, "en Renamed"},
        {{"LANG=en_US.UTF-8", "LC_MESSAGES=zh_CN.UTF-8"}, "zh 修改完成"},
        {{"LANG=de_DE.UTF-8", "LANGUAGE=de:en"}, "en Renamed"},
        // The C locale ignores LANGUAGE, as gettext does.
        {{"LC_ALL=C", "LANGUAGE=en"}, "zh 修改完成"},
    };
    for (const Case &c : cases) {
        QProcess probe;
        probe.setEnvironment(c.environment);
        probe.start(QStringLiteral(TAVREL_LANGUAGE_PROBE), {});
        ASSERT_TRUE(probe.waitForFinished(30000));
        EXPECT_EQ(probe.exitCode(), 0) << c.environment.join(' ').toStdString();
        EXPECT_EQ(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(), QString::fromUtf8(c.expected))
            << c.environment.join(' ').toStdString();
    }
}
