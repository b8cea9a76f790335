#pragma once

#include "inspect/package_reading.h"

#include <QObject>
#include <QString>

class PackageReader;

// Renames the package named on the command line in place by the active naming rule, read by the
// program's one reader. start() returns at once; finished() comes once, from the event loop: when
// the file was not renamed, error says what stopped it, in one line (the real reason when a tool
// failed: "aapt 超时: PATH").
class CommandLineRename : public QObject
{
    Q_OBJECT
public:
    explicit CommandLineRename(PackageReader *reader, QObject *parent = nullptr);

    void start(const QString &path);

signals:
    void finished(bool renamed, const QString &error);

private:
    void onPackageRead(quint64 ticket, const PackageReading &reading);
    void finishLater(bool renamed, const QString &error);

    PackageReader *m_reader;
    QString m_path;
    quint64 m_ticket = 0;
};

// What a read gives the rename: the display name and the version ("" where there is none).
struct NameAndVersion
{
    QString displayName;
    QString version;
};
NameAndVersion NameAndVersionOf(const PackageReading &reading);
