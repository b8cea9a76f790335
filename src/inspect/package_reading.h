#pragma once

#include <QMetaType>
#include <QString>
#include <optional>

// What the reader is asked to read out of a package.
enum class ReadKind {
    Badging,      // an Android package: aapt's badging report
    IpaPlists,    // an iOS package: its Info.plist, Chinese InfoPlist.strings and store metadata
    StoreMetadata // an iOS package: its store metadata alone (the raw metadata window)
};

// The converted property lists of an iOS package as text; nothing where the package had none.
struct IpaPlistTexts
{
    std::optional<QString> info;
    std::optional<QString> infoPlist;
    std::optional<QString> storeMetadata;
};

// What one read gives: the tool output the facts are taken from, and why a tool run went wrong.
struct PackageReading
{
    ReadKind kind = ReadKind::Badging;
    QString path;
    // The badging report, only when aapt printed one and ended well.
    std::optional<QString> badging;
    IpaPlistTexts plists;
    // The first tool run that went wrong, in words ("aapt 超时"); empty when none did.
    QString failure;
};

Q_DECLARE_METATYPE(PackageReading)
