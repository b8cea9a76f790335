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

    // Creates the folders on the way as needed. executable: the file gets its x bits too. A FIFO,
    // device or other file that is not a regular one at path is left alone: false.
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

// What stands at a path, read without ever waiting: a FIFO, a device or a socket is not opened
// for reading at all (it could block for ever, or have effects of its own).
enum class FileRead { Missing, Read, NotARegularFile, Failed };
// Follows links; content receives the whole file when the result is Read.
FileRead readRegularFile(const QString &path, QByteArray *content);
// True when nothing stands at path or it is a regular file (links followed); a dangling link counts
// as nothing.
bool isRegularOrMissing(const QString &path);

// Writes path through a temporary file renamed over it; false (and path untouched) on failure.
bool writeFileAtomically(const QString &path, const QByteArray &content,
                         QFileDevice::Permissions permissions);
