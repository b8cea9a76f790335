#pragma once

#include <QString>
#include <optional>

class PackageList;

// Turns the badging report of an APK into the fields of a list row.

// The report for the package (or an error or time-out text of the command runner).
QString ReadBadging(const QString &packagePath);

// The characters after the first occurrence of key up to the next single quote; nothing when the
// key does not occur or no quote closes the value.
std::optional<QString> QuotedValueAfter(const QString &text, const QString &key);

// The zh_CN label, else the zh label, else the default label, else the application line's label.
QString PickLabel(const QString &badging);

// Drops what the GBK code page cannot hold, then every '?'.
QString CleanLabel(const QString &label);

// Android release for an API level; "UnKown" outside the known levels.
QString ApiLevelName(qint16 level);

// Bytes as MiB with two decimals, rounded half away from zero ("0.13" for 128 KiB).
QString FormatSizeMB(qint64 bytes);

// The file's length as FormatSizeMB text; nothing when the file cannot be read.
std::optional<QString> FileSizeMB(const QString &path);

// Reads the package of the row at position and fills its display name, version, size and API
// levels, each as soon as it is known.
void InspectApk(PackageList &list, int position);

// What the command-line rename needs: display name and version ("" when the report has none).
struct NameAndVersion
{
    QString displayName;
    QString version;
};
NameAndVersion ReadApkNameAndVersion(const QString &packagePath);

namespace ApkPlaceholder {
inline QString unknown()
{
    return QStringLiteral("UnKnown");
} // the report lacks the key
inline QString unknownLevel()
{
    return QStringLiteral("UnKown");
} // a level with no release name
} // namespace ApkPlaceholder
