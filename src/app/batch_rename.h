#pragma once

#include "app/batch_naming.h"
#include "inspect/package_reading.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <optional>
#include <vector>

class PackageReader;

// Renames many packages in one run: every package is read by the program's one reader (several
// at once), then named in the order given, so the outcome is the same however the reads
// interleave. start() returns at once; a line comes for every package, and finished() once.
class BatchRename : public QObject
{
    Q_OBJECT
public:
    BatchRename(PackageReader *reader, const QString &rule, bool dryRun, QObject *parent = nullptr);

    void start(const QStringList &packages);

    int renamedCount() const { return m_renamed; }
    int alreadyNamedCount() const { return m_alreadyNamed; }
    int failedCount() const { return m_failed; }

signals:
    // A package renamed (or, in a dry run, that would be).
    void renamed(const QString &path, const QString &newPath);
    void alreadyNamed(const QString &path);
    void notRenamed(const QString &path, const QString &reason);
    // Packages read so far, of all.
    void progress(int read, int total);
    void finished();

private:
    void onPackageRead(quint64 ticket, const PackageReading &reading);
    void nameReadyPackages();
    void name(const QString &path, const PackageReading &reading);

    PackageReader *m_reader;
    BatchNamer m_namer;
    QStringList m_packages;
    std::vector<std::optional<PackageReading>> m_readings;
    QHash<quint64, int> m_indexOfTicket;
    int m_nextToName = 0;
    bool m_finished = false;
    int m_read = 0;
    int m_renamed = 0;
    int m_alreadyNamed = 0;
    int m_failed = 0;
};
