#include "rename/name_rule.h"

#include "platform/name_rule_text.h"
#include "platform/settings_store.h"

namespace {
QString g_active = NameRule::defaultRule();
}

QString NameRule::expand(const QString &rule, const QString &displayName, const QString &version)
{
    return expandNameRule(rule, displayName, version);
}

QString NameRule::active()
{
    return g_active;
}

void NameRule::setActive(const QString &rule)
{
    g_active = rule;
}

QString NameRule::stored()
{
    const QString rule =
        SettingsStore::read(QStringLiteral("SetINI"), QStringLiteral("NameRule"), defaultRule());
    // An empty rule would name every package ".apk" alone.
    return rule.trimmed().isEmpty() ? defaultRule() : rule;
}

QString NameRule::loadFromSettings()
{
    g_active = stored();
    return g_active;
}

bool NameRule::saveToSettings(const QString &rule)
{
    return SettingsStore::write(QStringLiteral("SetINI"), QStringLiteral("NameRule"), rule);
}
