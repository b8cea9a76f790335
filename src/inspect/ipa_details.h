#pragma once

#include "inspect/package_reading.h"

#include <QString>

// What the IPA details window shows, read from the package's converted property lists. Every
// field is the text of one control; what no list gives stays empty.
struct IpaDetails
{
    QString name;        // display name: the Chinese strings', else Info.plist's, else the store's
    QString version;     // dotted short version, else build version, else the store's
    QString size;        // "1.50MB"; empty when the file cannot be measured
    QString identifier;  // bundle identifier
    QString genre;       // store genre
    QString devices;     // "iPhones", "iPad" or both
    QString minSystem;   // minimum iOS version
    QString artist;      // store artist
    QString account;     // store account (appleId)
    QString price;       // store price; "free" when the store metadata has none
    QString currentName; // the file's name
    QString newName;     // the naming rule's proposal, with the file's extension
    QString storeItemId; // digits of the store's item id, for the store button; may be empty
};

// The details from the lists; packagePath gives the size and the current name, rule the proposed
// new name.
IpaDetails IpaDetailsFromPlists(const IpaPlistTexts &plists, const QString &packagePath, const QString &rule);
