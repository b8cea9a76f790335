#pragma once

#include <QByteArray>
#include <QString>

// File names are bytes. Qt turns them into text as UTF-8, and a name that is not valid UTF-8 (a
// package named by another system, a program folder so named) would lose bytes on the way. Such
// a path is kept whole here: each byte that is no part of a valid UTF-8 sequence stands in the
// text as a lone surrogate, U+DC80 to U+DCFF, and turns back into that byte.
namespace PathBytes {

// The system's bytes as text; exactly QFile::decodeName() for valid UTF-8.
QString decode(const QByteArray &bytes);
// Back to the very bytes decode() was given.
QByteArray encode(const QString &path);

// True when Qt's own file functions reach path as it is (it holds no stand-in byte).
bool isPlain(const QString &path);

// A path to the same file that Qt's file functions, and the tools started with it as an argument,
// can use: path itself when it is plain; otherwise one through this process's descriptor folder
// (/proc/PID/fd/N/NAME), held open until the process ends. path itself when it cannot be reached.
QString reachable(const QString &path);

} // namespace PathBytes
