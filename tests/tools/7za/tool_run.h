// Runs one of the sibling tools from the program folder and collects what it did.
#pragma once

#include "support/tool_bounds.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <sys/resource.h>

struct ToolRun
{
    int exitCode = -1; // also when the tool crashed or did not end in time
    QString out;
    QString err;
};

// Bounds the tool runs under, so that a tool that would take more fails instead.
struct ChildLimits
{
    rlim_t addressSpace = RLIM_INFINITY; // bytes of memory
    rlim_t openFiles = RLIM_INFINITY;
    int waitMs = 60000;
};

// What every tool is to stay within on hostile input.
inline ChildLimits hostileInputLimits()
{
    ChildLimits limits;
    limits.addressSpace = rlim_t(512) << 20;
    limits.waitMs = 20000;
    return limits;
}

inline ToolRun runTool(const QString &tool, const QStringList &args, const ChildLimits &limits = {})
{
    QProcess p;
    p.setChildProcessModifier([limits] {
        const struct rlimit files = {limits.openFiles, limits.openFiles};
        if (limits.addressSpace != RLIM_INFINITY)
            boundAddressSpace(limits.addressSpace);
        if (limits.openFiles != RLIM_INFINITY)
            ::setrlimit(RLIMIT_NOFILE, &files);
    });
    p.start(QStringLiteral(TAVREL_PROGRAM_DIR "/") + tool, args);
    ToolRun r;
    if (!p.waitForFinished(limits.waitMs * ToolTimeFactor) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Every entry below `root`, files and links as "path", folders as "path/", sorted.
inline QStringList treeOf(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries << base.relativeFilePath(info.filePath()) + (info.isDir() && !info.isSymLink() ? "/" : "");
    }
    entries.sort();
    return entries;
}

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}
