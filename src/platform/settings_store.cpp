#include "platform/settings_store.h"

#include <QFile>
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
// The value of key in section as it stands in the file, blanks around it dropped; the empty text
// when the file has no such line. For values written by hand without quotes: QSettings gives such
// a value back as a list, split at its commas with the blanks beside them dropped, so a naming
// rule like "%Name%, %Version%" could not be put together again from what it returns.
QString rawValue(const QString &file, const QString &section, const QString &key)
{
    QFile ini(file);
    if (!ini.open(QIODevice::ReadOnly))
        return QString();
    QString value;
    bool inSection = false;
    const QStringList lines = QString::fromUtf8(ini.readAll()).split(QLatin1Char('\n'));
    for (const QString &rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line.endsWith(QLatin1Char(']')) && line.mid(1, line.size() - 2).trimmed() == section;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (inSection && equals > 0 && line.left(equals).trimmed() == key)
            value = line.mid(equals + 1).trimmed(); // the last line of the key wins, as in the format
    }
    return value;
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
    if (value.typeId() == QMetaType::QStringList)
        return rawValue(settings->fileName(), section, key);
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
