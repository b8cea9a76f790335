#pragma once

#include <QString>

// The naming rule's expansion, the one place it is done (the rename runs and the details windows'
// proposals both come here): every "%Name%" first, then every "%Version%" of that result; inserted
// text is not scanned again by the same step, so a display name holding "%Version%" gets the
// version there too.
inline QString expandNameRule(const QString &rule, const QString &displayName, const QString &version)
{
    QString named = rule;
    named.replace(QStringLiteral("%Name%"), displayName, Qt::CaseSensitive);
    named.replace(QStringLiteral("%Version%"), version, Qt::CaseSensitive);
    return named;
}
