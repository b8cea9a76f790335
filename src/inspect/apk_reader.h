#pragma once

#include <QString>
#include <optional>

// Turns the badging report of an APK into the facts a list row shows.

// The characters after the first occurrence of key up to the next single quote; nothing when the
// key does not occur or no quote closes the value.
std::optional<QString> QuotedValueAfter(const QString &text, const QString &key);

// The zh_CN label, else the zh label, else the default label, else the application line's label.
QString PickLabel(const QString &badging);

// Drops what the GBK code page cannot hold, then every '?'.
QString CleanLabel(const QString &label);

// Android release for an API level; "UnKown" outside the known levels.
QString ApiLevelName(qint16 level);

// A minimum or target level of a report: the number as reported (empty when the key is missing)
// and its release name: "UnKnown" when the key is missing, "UnKown" when the number is no whole
// number of 16 bits or names no release (a preview letter such as "Q").
struct ApiLevel
{
    QString number;
    QString name;
};
ApiLevel ReadApiLevel(const QString &report, const QString &key);

// Bytes as MiB with two decimals, rounded half away from zero ("0.13" for 128 KiB).
QString FormatSizeMB(qint64 bytes);

// The file's length as FormatSizeMB text; nothing when the file cannot be read.
std::optional<QString> FileSizeMB(const QString &path);

// What one read of an APK gives. A field without a value could not be read and leaves its cell as
// it was; "UnKnown" / "UnKown" are the placeholders the list shows.
struct ApkFacts
{
    QString report; // the badging report as the tool printed it
    QString displayName;
    std::optional<QString> version;
    std::optional<QString> sizeMB;
    std::optional<QString> minSystem;
    std::optional<QString> platform;
};

// The facts a report gives for the package at packagePath (its size is read from the file). A
// package without a report (the tool failed) reads as the empty report: no name, "UnKnown" elsewhere.
ApkFacts ApkFactsFromReport(const QString &report, const QString &packagePath);

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
