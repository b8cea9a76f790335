#pragma once

#include <QString>

// The file name a details window proposes: the naming rule expanded with the display name and
// the version, then the file's own extension (everything from the last dot of its name, so that
// ".xapk" bundles keep theirs). A name without a dot gets fallbackExtension (".apk", ".ipa").
QString NewNamePreview(const QString &rule, const QString &displayName, const QString &version,
                       const QString &fileName, const QString &fallbackExtension);

// Everything from the last dot of the file name; fallbackExtension when it has none.
QString FileExtension(const QString &fileName, const QString &fallbackExtension);
