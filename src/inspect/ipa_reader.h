#pragma once

#include "inspect/apk_reader.h"

#include <QString>
#include <optional>

class PackageList;

// Reads the unpacked property lists of an IPA with plain text searches.

// The first <string> value after the key element; nothing when the key does not occur or no
// string element follows it. Entities stay as they are ("&amp;").
std::optional<QString> XmlStringValue(const QString &xml, const QString &keyElement);

// The short version when it holds a point, else the build version.
QString PickIpaVersion(const QString &buildVersion, const QString &shortVersion);

// "iPhones", "iPad", "iPhones,iPad" or "" by which markers occur anywhere in the text.
QString DeviceFamilyText(const QString &xml, const QString &iphoneMarker, const QString &ipadMarker);

// Unpacks the package of the row at position and fills display name, version, minimum system,
// platform and size.
void InspectIpa(PackageList &list, int position);

// What the command-line rename needs, read from the files already unpacked into the current
// scratch folder.
NameAndVersion ReadUnpackedIpaNameAndVersion();
