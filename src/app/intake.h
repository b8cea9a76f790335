#pragma once

#include "inspect/package_reading.h"

#include <QHash>
#include <QObject>
#include <QStringList>

class PackageList;
class PackageReader;

// Adding packages to the list, one batch at a time (a drop or the files chosen in the dialog).
// A batch appends its rows at once, in the order the files were given, and hands the packages to
// the reader; each row fills when its package has been read, and the batch ends when the last one
// has. The window asks isBusy() before starting another batch, a clear or a rename run, and
// busyChanged lets it grey its commands.
class Intake : public QObject
{
    Q_OBJECT
public:
    Intake(PackageList *list, PackageReader *reader, QObject *parent = nullptr);

    bool isBusy() const { return m_busy; }

    // Dropped paths: folders and files that are no package (see packageKindOf: ".apk", the
    // Android bundles ".xapk", ".apks", ".apkm", and ".ipa") are passed over. False when
    // refused because another batch runs.
    bool addDroppedPaths(const QStringList &paths);
    // Files chosen in the dialog, in its order: other types get a row with only number, file
    // name and folder. An empty list (a cancelled dialog) adds nothing.
    bool addChosenFiles(const QStringList &paths);

    // The packages of this batch read so far, and how many it has.
    int readCount() const { return m_read; }
    int total() const { return m_total; }
    // "正在读取 37/200"
    static QString progressText(int read, int total);

signals:
    void busyChanged(bool busy);
    // One more package of the batch has been read (its row is filled).
    void progress(int read, int total);
    // The batch has ended and the list labels are to be refreshed.
    void batchFinished();

private:
    bool begin();
    void addOneFile(const QString &folder, const QString &fileName);
    void onPackageRead(quint64 ticket, const PackageReading &reading);
    void endWhenRead();

    PackageList *m_list;
    PackageReader *m_reader;
    QHash<quint64, quint64> m_rowOfTicket; // read ticket -> row id
    int m_read = 0;
    int m_total = 0;
    bool m_busy = false;
};
