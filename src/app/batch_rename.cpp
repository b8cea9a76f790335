#include "app/batch_rename.h"

#include "app/command_line_rename.h"
#include "app/row_filling.h"
#include "inspect/package_reader.h"

#include <QCoreApplication>
#include <QFileInfo>

BatchRename::BatchRename(PackageReader *reader, const QString &rule, bool dryRun, QObject *parent)
    : QObject(parent), m_reader(reader), m_namer(rule, dryRun)
{
    connect(m_reader, &PackageReader::packageRead, this, &BatchRename::onPackageRead);
}

void BatchRename::start(const QStringList &packages)
{
    m_packages = packages;
    m_readings.assign(size_t(packages.size()), std::nullopt);
    for (int i = 0; i < packages.size(); ++i) {
        const std::optional<ReadKind> kind = readKindFor(packages.at(i));
        if (kind) {
            m_indexOfTicket.insert(m_reader->read(*kind, packages.at(i)), i);
        } else {
            // Gathering lets only packages through; should one slip by, it is named as unreadable.
            PackageReading nothing;
            nothing.path = packages.at(i);
            m_readings[size_t(i)] = nothing;
            ++m_read;
        }
    }
    // Even an empty batch ends from the event loop, as every other does.
    QMetaObject::invokeMethod(this, &BatchRename::nameReadyPackages, Qt::QueuedConnection);
}

void BatchRename::onPackageRead(quint64 ticket, const PackageReading &reading)
{
    const auto found = m_indexOfTicket.constFind(ticket);
    if (found == m_indexOfTicket.constEnd())
        return;
    m_readings[size_t(*found)] = reading;
    m_indexOfTicket.erase(found);
    ++m_read;
    emit progress(m_read, int(m_packages.size()));
    nameReadyPackages();
}

void BatchRename::nameReadyPackages()
{
    if (m_finished)
        return;
    const int total = int(m_packages.size());
    while (m_nextToName < total && m_readings[size_t(m_nextToName)]) {
        name(m_packages.at(m_nextToName), *m_readings[size_t(m_nextToName)]);
        m_readings[size_t(m_nextToName)].reset();
        ++m_nextToName;
    }
    if (m_nextToName == total) {
        m_finished = true;
        emit finished();
    }
}

void BatchRename::name(const QString &path, const PackageReading &reading)
{
    const NameAndVersion found = NameAndVersionOf(reading);
    if (found.displayName.isEmpty() && !reading.failure.isEmpty()) {
        ++m_failed;
        emit notRenamed(path, reading.failure);
        return;
    }
    if (!QFileInfo(path).isFile()) {
        ++m_failed;
        emit notRenamed(path, QCoreApplication::translate("CommandLine", "文件不存在"));
        return;
    }
    const BatchNamer::Outcome outcome = m_namer.rename(path, found.displayName, found.version);
    switch (outcome.kind) {
    case BatchNamer::Outcome::Renamed:
        ++m_renamed;
        emit renamed(path, outcome.newPath);
        break;
    case BatchNamer::Outcome::AlreadyNamed:
        ++m_alreadyNamed;
        emit alreadyNamed(path);
        break;
    case BatchNamer::Outcome::NotRenamed:
        ++m_failed;
        emit notRenamed(path, outcome.reason);
        break;
    }
}
