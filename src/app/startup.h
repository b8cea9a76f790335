#pragma once

#include "platform/instance_claim.h"
#include "platform/program_folder.h"

#include "inspect/package_reader.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// Start-up steps the main program runs before it chooses between window mode and the
// command-line rename.
namespace Startup {

QString windowTitle();

// The whole command-line tail as one path: the arguments joined by single blanks, so that an
// unquoted path with spaces stays whole.
QString commandLineTail(const QStringList &arguments);

// An absolute path for the tail; empty when the tail holds nothing but blanks (window mode).
QString normalisedPath(const QString &tail);

// The sibling tools, in the order they are checked.
QStringList toolNames();
// The first tool missing from the folder, or the empty text when all are there.
QString firstMissingTool(const QString &programFolder);
// "\"aapt\"文件丢失,软件无法正常运行."
QString missingToolMessage(const QString &toolName);
QString alreadyRunningMessage();

} // namespace Startup

// The steps both modes take before they part: the single-instance claim, the tool check, the
// package reader (which clears the scratch folders) and the loading of the naming rule. The claim, and a scratch
// location of this instance's own when another instance (with other settings) already uses the
// shared one, last as long as the session.
class StartupSession
{
public:
    enum Outcome { Ready, AlreadyRunning, ToolMissing };

    StartupSession();
    ~StartupSession();
    StartupSession(const StartupSession &) = delete;
    StartupSession &operator=(const StartupSession &) = delete;

    // How many packages the reader reads at once (0: one per processor); before begin().
    void setReaderWorkers(int workers) { m_readerWorkers = workers; }
    Outcome begin();

    // After Ready: the program's one package reader, which lives as long as the session.
    PackageReader *reader() const { return m_reader.get(); }

    // After ToolMissing: the first tool missing from the program folder.
    QString missingTool() const { return m_missingTool; }
    // Where the window instance listens for the request to raise its window.
    QString raiseSocketPath() const;

private:
    bool claimScratchLocation();

    std::unique_ptr<InstanceClaim> m_claim;
    std::unique_ptr<InstanceClaim> m_scratchClaim;
    std::unique_ptr<QTemporaryDir> m_privateScratch;
    std::unique_ptr<ProgramFolder::ScopedOverride> m_scratchOverride;
    std::unique_ptr<PackageReader> m_reader;
    int m_readerWorkers = 0;
    QString m_lockPath;
    QString m_missingTool;
};
