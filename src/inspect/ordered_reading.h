#pragma once

#include "inspect/package_reading.h"

#include <QHash>
#include <QObject>
#include <QStringList>

class PackageReader;

// Many packages read with the reader and handed on in the order they were given, whatever the
// order the workers end in: for a command line that prints one line per package. start() returns
// at once; packageRead(index, ...) comes for 0, 1, 2, ... and then finished().
class OrderedReading : public QObject
{
    Q_OBJECT
public:
    explicit OrderedReading(PackageReader *reader, QObject *parent = nullptr);

    struct Item
    {
        ReadKind kind = ReadKind::Badging;
        QString path;
    };
    void start(const QList<Item> &items);

signals:
    void packageRead(int index, const PackageReading &reading);
    void finished();

private:
    void onPackageRead(quint64 ticket, const PackageReading &reading);
    void handOn();

    PackageReader *m_reader;
    QHash<quint64, int> m_indexOfTicket;
    QHash<int, PackageReading> m_waiting; // read, but an earlier one is not yet
    int m_next = 0;
    int m_count = 0;
};
