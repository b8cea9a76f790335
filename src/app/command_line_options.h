#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for. The one-file form stays as it always was: a single argument, or
// a tail whose words joined by blanks name an existing file, is that one file; everything else is
// read as options and paths. ("--open FILE..." is taken before, by OpenRequest.)
struct CommandLineOptions
{
    enum class Mode {
        Window,     // no arguments, or nothing but blanks
        SingleFile, // one package renamed, the original form
        Batch,      // files and folders renamed together
        Help,
        Version,
        UsageError,
    };

    Mode mode = Mode::Window;
    QStringList paths; // SingleFile: one absolute path; Batch: in the order given
    bool dryRun = false;
    bool recursive = false;
    bool quiet = false;
    int jobs = 0; // 0: one per processor
    std::optional<QString> rule;
    QString error; // UsageError: one line saying what was wrong
};

// arguments without the program's own name.
CommandLineOptions parseCommandLine(const QStringList &arguments);

// The text of --help.
QString commandLineHelp();
