#pragma once

#include "app/command_line_options.h"

#include <QObject>
#include <memory>

class BatchRename;
class PackageReader;

// The batch command line's voice: one line per package on standard output (renamed, or already
// named), one line per problem on standard error, and on a terminal a progress line rewritten in
// place. finished() carries the exit status: 0 when every package was renamed or already named,
// 1 when any was not.
class BatchCommandLine : public QObject
{
    Q_OBJECT
public:
    BatchCommandLine(const CommandLineOptions &options, const QString &rule, PackageReader *reader,
                     QObject *parent = nullptr);
    ~BatchCommandLine() override;

    void start();

signals:
    void finished(int exitStatus);

private:
    void printLine(std::FILE *stream, const QString &line);
    void showProgress(int read, int total);
    void clearProgress();

    CommandLineOptions m_options;
    std::unique_ptr<BatchRename> m_rename;
    int m_problems = 0;
    bool m_showsProgress = false;
    bool m_progressShown = false;
};
