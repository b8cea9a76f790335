#pragma once

#include "inspect/apk_reader.h"

#include <QString>
#include <optional>

// Reads the unpacked property lists of an IPA with plain text searches.

// The first <string> value after the key element; nothing when the key does not occur or no
// string element follows it. Entities stay as they are ("&amp;").
std::optional<QString> XmlStringValue(const QString &xml, const QString &keyElement);

// The short version when it holds a point, else the build version.
QString PickIpaVersion(const QString &buildVersion, const QString &shortVersion);

// "iPhones", "iPad", "iPhones,iPad" or "" by which markers occur anywhere in the text.
QString DeviceFamilyText(const QString &xml, const QString &iphoneMarker, const QString &ipadMarker);

// What one read of an IPA gives, in the order the three converted lists override each other. A
// field without a value could not be read and leaves its cell as it was.
struct IpaFacts
{
    // The converted lists as read from the scratch folder; nothing where the package had none.
    std::optional<QString> infoXml;
    std::optional<QString> infoPlistStringsXml;
    std::optional<QString> storeMetadataXml;

    std::optional<QString> displayName;
    QString version;
    std::optional<QString> minSystem;
    QString platform;
    std::optional<QString> sizeMB;
};

// The facts of the lists already unpacked into the current scratch folder; the size is read from
// the package file.
IpaFacts ReadUnpackedIpaFacts(const QString &packagePath);
// Chooses a scratch folder, unpacks the package into it and reads it.
IpaFacts ReadIpaFacts(const QString &packagePath);

// What the command-line rename needs, read from the files already unpacked into the current
// scratch folder.
NameAndVersion ReadUnpackedIpaNameAndVersion();
