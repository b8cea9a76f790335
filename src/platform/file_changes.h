#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QList>
#include <QString>

// A set of file writes and removals that stands or falls as one. Every write replaces its file
// atomically (a temporary file renamed over it), so a file is either whole or as it was; until
// commit(), the destructor puts back every file this set has changed.
class FileChanges
{
public:
    FileChanges() = default;
    FileChanges(const FileChanges &) = delete;
    FileChanges &operator=(const FileChanges &) = delete;
    ~FileChanges();

    // Creates the folders on the way as needed. executable: the file gets its x bits too.
    bool write(const QString &path, const QByteArray &content, bool executable = false);
    // True when the file is gone afterwards (also when it was never there).
    bool remove(const QString &path);
    // Keeps every change.
    void commit() { m_earlier.clear(); }

private:
    struct Earlier
    {
        QString path;
        bool existed = false;
        QByteArray content;
        QFileDevice::Permissions permissions;
    };
    bool remember(const QString &path);
    void rollBack();

    QList<Earlier> m_earlier;
};

// Writes path through a temporary file renamed over it; false (and path untouched) on failure.
bool writeFileAtomically(const QString &path, const QByteArray &content,
                         QFileDevice::Permissions permissions);
