#include "platform/command_quoting.h"

#include <algorithm>

namespace CommandQuoting {

QString shellWord(const QString &argument)
{
    QString quoted = argument;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString shellWordIfNeeded(const QString &argument)
{
    static const QString special = QStringLiteral(" \t\n\"'$;&|<>()*?[]{}`\\");
    const bool plain = !argument.isEmpty() &&
                       std::none_of(argument.begin(), argument.end(), [](QChar c) { return special.contains(c); });
    return plain ? argument : shellWord(argument);
}

QString desktopExecArgument(const QString &argument)
{
    QString quoted;
    quoted.reserve(argument.size() + 8);
    quoted += QLatin1Char('"');
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return quoted;
}

QString keyFileString(const QString &value)
{
    QString escaped;
    escaped.reserve(value.size() + 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        case '\t':
            escaped += QLatin1String("\\t");
            break;
        case '\r':
            escaped += QLatin1String("\\r");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace CommandQuoting
