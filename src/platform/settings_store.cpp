#include "platform/settings_store.h"

#include <QSettings>
#include <memory>

namespace {
QString g_overridePath;

std::unique_ptr<QSettings> openSettings()
{
    if (!g_overridePath.isEmpty())
        return std::make_unique<QSettings>(g_overridePath, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavrel"),
                                       QStringLiteral("Tavrel"));
}
} // namespace

namespace SettingsStore {

QString read(const QString &section, const QString &key, const QString &defaultValue)
{
    auto settings = openSettings();
    settings->beginGroup(section);
    const QVariant value = settings->value(key);
    if (!value.isValid())
        return defaultValue;
    return value.toString();
}

bool write(const QString &section, const QString &key, const QString &value)
{
    auto settings = openSettings();
    settings->beginGroup(section);
    settings->setValue(key, value);
    settings->endGroup();
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QString filePath()
{
    return openSettings()->fileName();
}

void overrideFileForTests(const QString &path)
{
    g_overridePath = path;
}

} // namespace SettingsStore
