#include "platform/settings_store.h"
#include "rename/name_rule.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(NameRule, ExpandsNameFirstThenVersion)
{
    EXPECT_EQ(NameRule::expand(NameRule::defaultRule(), "微信", "8.0.1"), "微信 8.0.1");
    EXPECT_EQ(NameRule::expand("%Name%_%Version%_%Name%", "A", "1"), "A_1_A");
    EXPECT_EQ(NameRule::expand("%Name%_%Version%", "A", "1"), "A_1");
    // The name is put in first, so a "%Version%" inside it is replaced too...
    EXPECT_EQ(NameRule::expand("%Name%", "x%Version%y", "2"), "x2y");
    // ...but a version holding "%Name%" is left as it is.
    EXPECT_EQ(NameRule::expand("%Name% %Version%", "n", "%Name%"), "n %Name%");
    // Placeholders are case-sensitive; other text, '%' included, is copied unchanged.
    EXPECT_EQ(NameRule::expand("%name% 100% %Version", "n", "v"), "%name% 100% %Version");
    // Nothing is trimmed: an empty version leaves the blank.
    EXPECT_EQ(NameRule::expand(NameRule::defaultRule(), "App", ""), "App ");
}

TEST(NameRule, StoredInTheSettingsFileWithDefaultWhenAbsent)
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/Tavrel.conf";
    const SettingsStore::ScopedFile settings(file);

    EXPECT_EQ(NameRule::loadFromSettings(), "%Name% %Version%");
    EXPECT_EQ(NameRule::active(), "%Name% %Version%");

    ASSERT_TRUE(NameRule::saveToSettings("%Name%-v%Version%"));
    EXPECT_EQ(NameRule::loadFromSettings(), "%Name%-v%Version%");
    EXPECT_EQ(NameRule::active(), "%Name%-v%Version%");

    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("[SetINI]")) << text.constData();
    EXPECT_TRUE(text.contains("NameRule=")) << text.constData();

    NameRule::setActive(NameRule::defaultRule());
}

TEST(NameRule, ARuleWrittenByHandWithCommasComesBackWholeAndAnEmptyOrUnusableOneGivesTheDefault)
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/Tavrel.conf";
    const SettingsStore::ScopedFile settings(file);
    const auto store = [&](const QByteArray &text) {
        QFile ini(file);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(text);
    };

    store("[SetINI]\r\nNameRule=%Name%, %Version%\r\n");
    EXPECT_EQ(NameRule::loadFromSettings(), "%Name%, %Version%");
    store("[Other]\nNameRule=wrong\n[SetINI]\nNameRule = %Name%,,%Version% ,x \n");
    EXPECT_EQ(NameRule::loadFromSettings(), "%Name%,,%Version% ,x");
    // Written by the program itself, a comma is quoted and reads back as it went in.
    ASSERT_TRUE(NameRule::saveToSettings("%Name%, v%Version%"));
    EXPECT_EQ(NameRule::loadFromSettings(), "%Name%, v%Version%");

    for (const QByteArray &empty :
         {QByteArray("[SetINI]\nNameRule=\n"), QByteArray("[SetINI]\nNameRule=\"\"\n"),
          QByteArray("[SetINI]\nNameRule=  \n"), QByteArray("[SetINI]\nNameRule=apps/%Name% %Version%\n"),
          QByteArray("[SetINI]\nNameRule=\"%Name%\\t%Version%\"\n")}) {
        store(empty);
        EXPECT_EQ(NameRule::loadFromSettings(), NameRule::defaultRule()) << empty.constData();
    }
    NameRule::setActive(NameRule::defaultRule());
}
