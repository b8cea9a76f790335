#pragma once

#include <QString>

// The per-user settings store: an INI file, $XDG_CONFIG_HOME/Tavrel/Tavrel.conf, with sections
// and string values.
namespace SettingsStore {

// The stored value as text, whatever its form: an unquoted value with commas, written by hand,
// comes back as it stands in the file rather than as the list the format makes of it.
QString read(const QString &section, const QString &key, const QString &defaultValue);
// Returns false when the value could not be written.
bool write(const QString &section, const QString &key, const QString &value);

// Where the values are kept.
QString filePath();

// Keeps the values in another file for as long as it lives (tests); the previous file comes back
// when it goes.
class ScopedFile
{
public:
    explicit ScopedFile(const QString &path);
    ~ScopedFile();
    ScopedFile(const ScopedFile &) = delete;
    ScopedFile &operator=(const ScopedFile &) = delete;

private:
    QString m_previous;
};

} // namespace SettingsStore
