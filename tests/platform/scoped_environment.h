#pragma once

// Sets environment variables for one test and puts the earlier values back when it ends,
// also when the test fails half-way.
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class ScopedEnvironment
{
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;
    ~ScopedEnvironment()
    {
        for (auto it = m_earlier.crbegin(); it != m_earlier.crend(); ++it) {
            if (it->second)
                qputenv(it->first.constData(), *it->second);
            else
                qunsetenv(it->first.constData());
        }
    }

    void set(const char *name, const QString &value)
    {
        m_earlier.append(
            {name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
        qputenv(name, value.toUtf8());
    }

private:
    QList<std::pair<QByteArray, std::optional<QByteArray>>> m_earlier;
};
