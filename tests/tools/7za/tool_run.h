// Runs one of the sibling tools from the program folder and collects what it did.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline ToolRun runTool(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TAVREL_PROGRAM_DIR "/") + tool, args);
    ToolRun r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
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
