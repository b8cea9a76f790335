#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

// A folder of a user's own files, for tests that check that nothing of ours ever reaches them
// (through a link planted where we keep scratch files, for instance).
namespace UserFiles {

inline QStringList names()
{
    return {QStringLiteral("photo.jpg"), QStringLiteral("album/song.mp3")};
}

inline bool write(const QString &folder)
{
    for (const QString &name : names()) {
        QDir().mkpath(QFileInfo(folder + '/' + name).absolutePath());
        QFile file(folder + '/' + name);
        if (!file.open(QIODevice::WriteOnly) || file.write("precious") != 8)
            return false;
    }
    return true;
}

// The names of the files still there with their content.
inline QStringList intact(const QString &folder)
{
    QStringList found;
    for (const QString &name : names()) {
        QFile file(folder + '/' + name);
        if (file.open(QIODevice::ReadOnly) && file.readAll() == "precious")
            found << name;
    }
    return found;
}

} // namespace UserFiles
