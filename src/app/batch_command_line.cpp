#include "app/batch_command_line.h"

#include "app/batch_rename.h"
#include "app/batch_targets.h"
#include "platform/terminal.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace {

// Above this many packages a watching person gets a progress line.
constexpr int progressFrom = 5;

QByteArray local(const QString &text)
{
    return text.toLocal8Bit();
}

} // namespace

BatchCommandLine::BatchCommandLine(const CommandLineOptions &options, const QString &rule,
                                   PackageReader *reader, QObject *parent)
    : QObject(parent), m_options(options),
      m_rename(std::make_unique<BatchRename>(reader, rule, options.dryRun))
{
    connect(m_rename.get(), &BatchRename::renamed, this, [this](const QString &path, const QString &newPath) {
        if (!m_options.quiet)
            printLine(stdout, path + QStringLiteral(" -> ") + QFileInfo(newPath).fileName());
    });
    connect(m_rename.get(), &BatchRename::alreadyNamed, this, [this](const QString &path) {
        if (!m_options.quiet)
            printLine(stdout, path + QCoreApplication::translate("CommandLine", ": 已是新名称"));
    });
    connect(m_rename.get(), &BatchRename::notRenamed, this,
            [this](const QString &path, const QString &reason) {
                ++m_problems;
                printLine(stderr, QStringLiteral("tavrel: ") + path + QStringLiteral(": ") + reason);
            });
    connect(m_rename.get(), &BatchRename::progress, this, &BatchCommandLine::showProgress);
    connect(m_rename.get(), &BatchRename::finished, this, [this] {
        clearProgress();
        emit finished(m_problems == 0 ? 0 : 1);
    });
}

BatchCommandLine::~BatchCommandLine() = default;

void BatchCommandLine::start()
{
    const BatchTargets targets = collectBatchTargets(m_options.paths, m_options.recursive);
    for (const BatchTargets::Problem &problem : targets.problems) {
        ++m_problems;
        printLine(stderr, QStringLiteral("tavrel: ") + problem.path + QStringLiteral(": ") + problem.reason);
    }
    m_showsProgress = targets.packages.size() >= progressFrom && isTerminal(stderr);
    m_rename->start(targets.packages);
}

void BatchCommandLine::printLine(std::FILE *stream, const QString &line)
{
    clearProgress();
    std::fputs(local(line).constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void BatchCommandLine::showProgress(int read, int total)
{
    if (!m_showsProgress)
        return;
    std::fprintf(
        stderr, "\r\033[K%s",
        local(QCoreApplication::translate("CommandLine", "正在读取 %1/%2").arg(read).arg(total)).constData());
    std::fflush(stderr);
    m_progressShown = true;
}

void BatchCommandLine::clearProgress()
{
    if (!m_progressShown)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_progressShown = false;
}
