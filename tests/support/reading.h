#pragma once

#include "inspect/package_reader.h"

#include <QSignalSpy>

// Has the reader read one package and returns what it gave: waits for the reader's own signal,
// never for a clock (the limit only keeps a broken reader from hanging the test).
inline PackageReading readNow(PackageReader &reader, ReadKind kind, const QString &path)
{
    QSignalSpy spy(&reader, &PackageReader::packageRead);
    const quint64 ticket = reader.read(kind, path);
    for (qsizetype seen = 0;; ++seen) {
        if (spy.size() <= seen && !spy.wait(60000))
            return {};
        if (spy.at(seen).at(0).toULongLong() == ticket)
            return spy.at(seen).at(1).value<PackageReading>();
    }
}
