#pragma once

#include <QString>
#include <QStringList>

// What the APK details window shows, read from a fresh badging report of the package. Every
// field is the text of one control; a key the report lacks reads "UnKnown" (the level numbers and
// the permission list stay empty instead).
struct ApkDetails
{
    QString name;            // label as the list's reader picks and cleans it
    QString version;         // versionName
    QString size;            // "5.00 MB"; empty when the file cannot be measured
    QString identifier;      // package name
    QString minLevel;        // sdkVersion as reported
    QString minSystem;       // its Android release
    QString targetLevel;     // targetSdkVersion as reported
    QString targetSystem;    // its Android release
    QString screens;         // supported screen sizes, separated by blanks
    QString densities;       // densities, separated by blanks
    QStringList permissions; // catalogue descriptions of the requested permissions, in report order
    QString currentName;     // the file's name
    QString newName;         // the naming rule's proposal, with the file's extension
    QString report;          // the whole badging report

    // The permission descriptions one to a line, without a separator after the last.
    QString permissionText() const;
};

// The details from a badging report; packagePath gives the size and the current name, rule the
// proposed new name.
ApkDetails ApkDetailsFromReport(const QString &report, const QString &packagePath, const QString &rule);
