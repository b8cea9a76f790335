#pragma once

#include <QString>

// The per-user settings store: an INI file, $XDG_CONFIG_HOME/Tavrel/Tavrel.conf, with sections
// and string values.
namespace SettingsStore {

QString read(const QString &section, const QString &key, const QString &defaultValue);
// Returns false when the value could not be written.
bool write(const QString &section, const QString &key, const QString &value);

// Where the values are kept; tests point it at a file of their own.
QString filePath();
void overrideFileForTests(const QString &path);

} // namespace SettingsStore
