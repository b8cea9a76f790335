#pragma once

#include "support/fake_tools.h"

#include <QFile>
#include <QMap>
#include <QString>

// A program folder of a test's own: a copy of the built tavrel beside stand-ins for its tools.
// A tool given a script runs that script; the others run the real tool after pause seconds, so
// that a test can make runs overlap for sure.
inline bool makeProgramCopy(const QString &folder, const QMap<QString, QByteArray> &scripts = {},
                            const QByteArray &pause = "0")
{
    if (!QFile::copy(TAVREL_PROGRAM_DIR "/tavrel", folder + "/tavrel"))
        return false;
    for (const char *tool : {"aapt", "7za", "plistconvert"}) {
        const QByteArray script =
            scripts.value(QString::fromLatin1(tool),
                          "sleep " + pause + "\nexec '" TAVREL_PROGRAM_DIR "/" + tool + "' \"$@\"\n");
        if (!writeFakeTool(folder + "/" + tool, script))
            return false;
    }
    return true;
}
