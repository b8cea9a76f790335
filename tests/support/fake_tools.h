#pragma once

#include <QFile>
#include <QString>

// Writes an executable shell script standing in for a sibling tool.
inline bool writeFakeTool(const QString &path, const QByteArray &script)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\n" + script);
    file.close();
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
