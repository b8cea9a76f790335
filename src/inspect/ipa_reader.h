#pragma once

#include "inspect/apk_reader.h"
#include "inspect/package_reading.h"

#include <QString>
#include <optional>

// Reads the unpacked property lists of an IPA with plain text searches.

// The first <string> value after the key element; nothing when the key does not occur or no
// string element follows it. Entities stay as they are ("&amp;").
std::optional<QString> XmlStringValue(const QString &xml, const QString &keyElement);
// The same for "<key>KEY</key>"; the empty text when there is none.
QString XmlKeyValue(const QString &xml, const char *key);

// The short version when it holds a point, else the build version.
QString PickIpaVersion(const QString &buildVersion, const QString &shortVersion);

// "iPhones", "iPad", "iPhones,iPad" or "" by which markers occur anywhere in the text.
QString DeviceFamilyText(const QString &xml, const QString &iphoneMarker, const QString &ipadMarker);

// What the lists of an IPA say, in the order they override each other: Info.plist, then the
// Chinese strings for the name, then the store metadata for what is still empty. The list and
// the details window both read a package this way. A field without a value could not be read and
// leaves its cell as it was.
struct IpaFacts
{
    std::optional<QString> displayName;
    QString version;
    std::optional<QString> minSystem;
    QString platform;
    std::optional<QString> sizeMB; // only when a package path was given
};
IpaFacts IpaFactsFromPlists(const IpaPlistTexts &plists, const QString &packagePath = QString());
