#include "inspect/ordered_reading.h"

#include "inspect/package_reader.h"

OrderedReading::OrderedReading(PackageReader *reader, QObject *parent) : QObject(parent), m_reader(reader)
{
    connect(m_reader, &PackageReader::packageRead, this, &OrderedReading::onPackageRead);
}

void OrderedReading::start(const QList<Item> &items)
{
    m_next = 0;
    m_count = int(items.size());
    for (int i = 0; i < m_count; ++i)
        m_indexOfTicket.insert(m_reader->read(items.at(i).kind, items.at(i).path), i);
    if (m_count == 0)
        QMetaObject::invokeMethod(this, &OrderedReading::finished, Qt::QueuedConnection);
}

void OrderedReading::onPackageRead(quint64 ticket, const PackageReading &reading)
{
    const auto found = m_indexOfTicket.constFind(ticket);
    if (found == m_indexOfTicket.cend())
        return;
    m_waiting.insert(found.value(), reading);
    m_indexOfTicket.erase(found);
    handOn();
}

void OrderedReading::handOn()
{
    while (m_waiting.contains(m_next)) {
        const int index = m_next++;
        emit packageRead(index, m_waiting.take(index));
    }
    if (m_next == m_count && m_count > 0) {
        m_count = 0;
        emit finished();
    }
}
