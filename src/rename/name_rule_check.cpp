#include "rename/name_rule_check.h"

#include "rename/name_rule.h"

QStringList presetNameRules()
{
    return {QStringLiteral("%Name% %Version%"), QStringLiteral("%Name%-%Version%"),
            QStringLiteral("%Name%_%Version%"), QStringLiteral("%Name% v%Version%"),
            QStringLiteral("%Name% Ver%Version%")};
}

bool isValidNameRule(const QString &rule)
{
    return NameRule::canNameAFile(rule) && rule.contains(NameRule::versionField(), Qt::CaseSensitive) &&
           rule.contains(NameRule::nameField(), Qt::CaseSensitive);
}

NameRuleChange applyNameRule(const QString &rule)
{
    if (!isValidNameRule(rule))
        return NameRuleChange::Refused;
    const bool stored = NameRule::saveToSettings(rule);
    NameRule::setActive(rule);
    return stored ? NameRuleChange::Saved : NameRuleChange::NotStored;
}
