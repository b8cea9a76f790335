#pragma once

#include <QString>

// The naming rule: how a package's new file name (without extension) is made from its display
// name and version. One active copy for the whole program, loaded at start-up.
class NameRule
{
public:
    static QString defaultRule() { return QStringLiteral("%Name% %Version%"); }
    static QString nameField() { return QStringLiteral("%Name%"); }
    static QString versionField() { return QStringLiteral("%Version%"); }

    // Every "%Name%" first, then every "%Version%" of that result; inserted text is not scanned
    // again by the same step, so a display name holding "%Version%" gets the version there too.
    static QString expand(const QString &rule, const QString &displayName, const QString &version);

    // False for a rule holding a "/", a NUL or another control character: whatever it expands
    // to is no single file name, so every rename by it would fail.
    static bool canNameAFile(const QString &rule);

    static QString active();
    static void setActive(const QString &rule);

    // The stored rule, or the default when none is stored (or the stored one is empty or cannot
    // name a file); the active copy is left alone.
    static QString stored();
    // Reads the stored rule (section "SetINI", key "NameRule") into the active copy; the default
    // when none is stored, or the stored one is empty or cannot name a file.
    static QString loadFromSettings();
    // Writes the rule to the settings store; false when that failed.
    static bool saveToSettings(const QString &rule);
};
