#include "platform/settings_store.h"
#include "rename/name_rule.h"
#include "rename/name_rule_check.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(NameRuleCheck, BothPlaceholdersInExactCaseAnywhere)
{
    for (const QString &rule : presetNameRules())
        EXPECT_TRUE(isValidNameRule(rule)) << rule.toStdString();
    EXPECT_EQ(presetNameRules().size(), 5);
    EXPECT_TRUE(isValidNameRule("%Version%%Name%"));
    EXPECT_TRUE(isValidNameRule(" x %Name%_%Version%_%Name% "));
    EXPECT_FALSE(isValidNameRule("%name% %version%"));
    EXPECT_FALSE(isValidNameRule("%Name% %Version"));
    EXPECT_FALSE(isValidNameRule("%Version%"));
    EXPECT_FALSE(isValidNameRule(""));
    // Both placeholders, but no file name can come out of them.
    EXPECT_FALSE(isValidNameRule("%Name%/%Version%"));
    EXPECT_FALSE(isValidNameRule("../%Name% %Version%"));
    EXPECT_FALSE(isValidNameRule(QString("%Name%") + QChar(0) + "%Version%"));
    EXPECT_FALSE(isValidNameRule("%Name%\n%Version%"));
    EXPECT_TRUE(isValidNameRule("%Name%\\%Version% (中文)"));
}

TEST(NameRuleCheck, OnlyAnAcceptedRuleBecomesActiveAndStored)
{
    QTemporaryDir dir;
    const SettingsStore::ScopedFile settings(dir.path() + "/Tavrel.conf");
    const QString before = NameRule::active();
    struct Restore
    {
        QString rule;
        ~Restore() { NameRule::setActive(rule); }
    } restore{before};

    NameRule::setActive("%Name%_%Version%");
    EXPECT_EQ(applyNameRule("%Name%"), NameRuleChange::Refused);
    EXPECT_EQ(applyNameRule("%Name%/%Version%"), NameRuleChange::Refused);
    EXPECT_EQ(NameRule::active(), "%Name%_%Version%");
    EXPECT_EQ(NameRule::stored(), NameRule::defaultRule());

    EXPECT_EQ(applyNameRule(" %Name% v%Version% "), NameRuleChange::Saved);
    EXPECT_EQ(NameRule::active(), " %Name% v%Version% ");
    EXPECT_EQ(NameRule::stored(), " %Name% v%Version% ");

    // A store that cannot be written: the rule still applies to this run, and the caller hears of it.
    const QString blocked = dir.path() + "/file";
    QFile(blocked).open(QIODevice::WriteOnly);
    const SettingsStore::ScopedFile unwritable(blocked + "/Tavrel.conf");
    EXPECT_EQ(applyNameRule("%Name%-%Version%"), NameRuleChange::NotStored);
    EXPECT_EQ(NameRule::active(), "%Name%-%Version%");
}
