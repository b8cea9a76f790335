#include "rename/name_rule.h"

#include "platform/name_rule_text.h"
#include "platform/settings_store.h"

#include <algorithm>

namespace {
QString g_active = NameRule::defaultRule();
}

QString NameRule::expand(const QString &rule, const QString &displayName, const QString &version)
{
    return expandNameRule(rule, displayName, version);
}

bool NameRule::canNameAFile(const QString &rule)
{
    return std::none_of(rule.begin(), rule.end(), [](QChar c) {
        return c == QLatin1Char('/') || c.unicode() < 0x20 || c.unicode() == 0x7F;
    });
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
    // An empty rule would name every package ".apk" alone; one that cannot name a file (edited by
    // hand, say) would make every rename fail.
    return rule.trimmed().isEmpty() || !canNameAFile(rule) ? defaultRule() : rule;
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
