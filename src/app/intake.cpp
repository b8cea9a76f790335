#include "app/intake.h"

#include "app/row_filling.h"
#include "app/stray_metadata.h"
#include "core/package_list.h"
#include "inspect/package_reader.h"

#include <QCoreApplication>
#include <QFileInfo>

Intake::Intake(PackageList *list, PackageReader *reader, QObject *parent)
    : QObject(parent), m_list(list), m_reader(reader)
{
    connect(m_reader, &PackageReader::packageRead, this, &Intake::onPackageRead);
    // A reader that stops (the program closes) drops the reads still waiting: the batch is over.
    connect(m_reader, &PackageReader::idle, this, [this] {
        m_rowOfTicket.clear();
        endWhenRead();
    });
}

QString Intake::progressText(int read, int total)
{
    return QCoreApplication::translate("Intake", "正在读取 %1/%2").arg(read).arg(total);
}

bool Intake::begin()
{
    if (m_busy)
        return false;
    m_busy = true;
    m_read = 0;
    m_total = 0;
    emit busyChanged(true);
    return true;
}

void Intake::endWhenRead()
{
    if (!m_busy || !m_rowOfTicket.isEmpty())
        return;
    m_busy = false;
    emit busyChanged(false);
    emit batchFinished();
}

void Intake::addOneFile(const QString &folder, const QString &fileName)
{
    if (m_list->containsPath(folder, fileName))
        return;
    const int position = m_list->append(folder, fileName);
    const std::optional<ReadKind> kind = readKindFor(fileName);
    if (!kind)
        return;
    ++m_total;
    m_rowOfTicket.insert(m_reader->read(*kind, folder + fileName), m_list->rowAt(position).id);
}

bool Intake::addDroppedPaths(const QStringList &paths)
{
    if (!begin())
        return false;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (!info.isDir() && packageKindOf(path) != PackageKind::None) {
            QString folder, fileName;
            splitPath(info.absoluteFilePath(), &folder, &fileName);
            addOneFile(folder, fileName);
        }
    }
    endWhenRead();
    return true;
}

bool Intake::addChosenFiles(const QStringList &paths)
{
    if (!begin())
        return false;
    if (!paths.isEmpty())
        RemoveStrayStoreMetadata();
    for (const QString &path : paths) {
        QString folder, fileName;
        splitPath(QFileInfo(path).absoluteFilePath(), &folder, &fileName);
        addOneFile(folder, fileName);
    }
    endWhenRead();
    return true;
}

void Intake::onPackageRead(quint64 ticket, const PackageReading &reading)
{
    const auto found = m_rowOfTicket.constFind(ticket);
    if (found == m_rowOfTicket.cend())
        return; // not ours: a details window's read
    // The row is looked up by its id: one removed meanwhile takes its result with it.
    fillRow(*m_list, m_list->positionOf(found.value()), reading);
    m_rowOfTicket.erase(found);
    ++m_read;
    emit progress(m_read, m_total);
    endWhenRead();
}
