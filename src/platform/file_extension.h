#pragma once

#include <QString>

// A file's own extension: everything from the last dot of its name, in its own letter case
// (".apk", ".XAPK", ".apkm"); fallback when the name has no dot.
QString fileExtension(const QString &fileName, const QString &fallback = QString());
