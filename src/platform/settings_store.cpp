#include "platform/settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace {
QString g_overridePath;

std::unique_ptr<QSettings> openSettings()
{
    if (!g_overridePath.isEmpty())
        return std::make_unique<QSettings>(g_overridePath, QSettings::IniFormat);
    // Named by hand: Qt would call an INI-format file "Tavrel.ini".
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::make_unique<QSettings>(folder + QStringLiteral("/Tavrel/Tavrel.conf"), QSettings::IniFormat);
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

ScopedFile::ScopedFile(const QString &path) : m_previous(g_overridePath)
{
    g_overridePath = path;
}

ScopedFile::~ScopedFile()
{
    g_overridePath = m_previous;
}

} // namespace SettingsStore
