#pragma once

#include <QString>

// One row of the package list. Every cell is text, the number and the size included; the row is
// the only place where what was learnt about a package is kept.
struct PackageInfo
{
    // Cells in column order. The folder column is never visible; it carries the folder.
    enum Column {
        Number,
        FileName,
        DisplayName,
        Version,
        SizeMB,
        MinSystem,
        Platform,
        Status,
        Folder,
        ColumnCount
    };

    QString rowNumber;
    QString fileName;
    QString displayName;
    QString version;
    QString sizeMB;
    QString minSystem;
    QString platform;
    QString status;
    QString folder; // always ends with '/'
    bool selected = false;
    // Given once by the list and never reused, so a read that ends after rows were removed finds
    // its own row or none, never another one that took its position.
    quint64 id = 0;

    // The row's identity: folder followed directly by file name.
    QString fullPath() const { return folder + fileName; }

    const QString &cell(Column column) const;
    void setCell(Column column, const QString &text);
};

// Derived from the end of a file name, case-sensitively: "apk" (or one of the Android bundles
// ".xapk", ".apks", ".apkm") is an Android package, "ipa" an iOS one, anything else none.
enum class PackageKind { None, Apk, Ipa };

PackageKind packageKindOf(const QString &fileName);

// The extension a renamed package keeps: its own, everything from the last dot of its name; a
// name without a dot gets its kind's (".apk", ".ipa").
QString packageExtensionOf(const QString &fileName);

// Splits a full path into the folder (up to and including the last '/') and the file name.
void splitPath(const QString &path, QString *folder, QString *fileName);
