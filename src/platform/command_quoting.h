#pragma once

#include <QString>

// Quoting for the command lines that file managers read from their action files. Each function
// makes one argument arrive whole, whatever blanks, quotes, '$', ';' or letters it holds.
namespace CommandQuoting {

// A POSIX shell word in single quotes ('it'\''s'); also what GLib's command-line parser reads.
QString shellWord(const QString &argument);

// The argument as it is when it holds nothing a shell would read, else as shellWord() gives it:
// how a command line is shown to the user.
QString shellWordIfNeeded(const QString &argument);

// An argument of a desktop entry's Exec key: double-quoted, with '"', '`', '$' and '\' escaped and
// '%' doubled, as the desktop entry format asks. Not yet escaped as a key-file string.
QString desktopExecArgument(const QString &argument);

// A key-file string value: '\' doubled, and newline, tab and carriage return as \n, \t and \r.
QString keyFileString(const QString &value);

} // namespace CommandQuoting
