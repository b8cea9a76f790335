#include "app/startup.h"

#include "app/program_version.h"
#include "inspect/package_reader.h"
#include "platform/path_bytes.h"
#include "platform/settings_store.h"
#include "platform/tree_removal.h"
#include "rename/name_rule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Startup {

QString windowTitle()
{
    return QStringLiteral("Tavrel v") + ProgramVersion::text() + QStringLiteral(" (apk/ipa)");
}

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << PathBytes::decode(argv[i]); // a path keeps its bytes, UTF-8 or not
    return arguments;
}

QString commandLineTail(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

QString normalisedPath(const QString &tail)
{
    if (tail.trimmed().isEmpty())
        return QString();
    // Only made absolute: the name keeps its own characters, surrounding blanks included.
    return QDir::current().absoluteFilePath(tail);
}

QStringList toolNames()
{
    return {QStringLiteral("aapt"), QStringLiteral("7za"), QStringLiteral("plistconvert")};
}

QString firstMissingTool(const QString &programFolder)
{
    for (const QString &tool : toolNames()) {
        if (!QFileInfo(programFolder + QLatin1Char('/') + tool).isFile())
            return tool;
    }
    return QString();
}

QString missingToolMessage(const QString &toolName)
{
    return QLatin1Char('"') + toolName + QLatin1Char('"') +
           QCoreApplication::translate("Startup", "文件丢失,软件无法正常运行.");
}

QString alreadyRunningMessage()
{
    return QCoreApplication::translate("Startup", "软件已在运行...");
}

} // namespace Startup

StartupSession::StartupSession() : m_lockPath(InstanceClaim::lockPathFor(SettingsStore::filePath())) {}

StartupSession::~StartupSession()
{
    // The reader goes first: its tools are killed and its scratch folders cleared. The private
    // scratch folder goes after it, removed like any scratch tree, whatever a package left there.
    m_reader.reset();
    if (m_privateScratch)
        removeTree(m_privateScratch->path());
    m_scratchOverride.reset();
}

StartupSession::Outcome StartupSession::begin()
{
    m_claim = std::make_unique<InstanceClaim>(m_lockPath);
    if (!m_claim->tryClaim())
        return AlreadyRunning;
    m_missingTool = Startup::firstMissingTool(ProgramFolder::path());
    if (!m_missingTool.isEmpty())
        return ToolMissing;
    if (!claimScratchLocation()) {
        // Another instance, with other settings, works in the shared scratch location: this one
        // keeps its scratch files apart, in a folder of its own that goes when it ends.
        const QString cache = ProgramFolder::scratchRoot() + QStringLiteral("/.tavrel-instance-XXXXXX");
        m_privateScratch = std::make_unique<QTemporaryDir>(cache);
        if (!m_privateScratch->isValid())
            m_privateScratch = std::make_unique<QTemporaryDir>();
        m_privateScratch->setAutoRemove(false); // removed by the session itself
        m_scratchOverride =
            std::make_unique<ProgramFolder::ScopedOverride>(ProgramFolder::path(), m_privateScratch->path());
    }
    // The reader clears whatever an earlier run left in the scratch location.
    m_reader = std::make_unique<PackageReader>(m_readerWorkers);
    // A shorter limit for the tool runs, so that a test can make a hanging tool time out soon.
    bool limitGiven = false;
    const int limitMs = qEnvironmentVariableIntValue("TAVREL_TOOL_TIME_LIMIT_MS", &limitGiven);
    if (limitGiven && limitMs > 0)
        m_reader->setToolLimits({limitMs, m_reader->toolLimits().maxOutputBytes});
    NameRule::loadFromSettings();
    return Ready;
}

bool StartupSession::claimScratchLocation()
{
    m_scratchClaim = std::make_unique<InstanceClaim>(ProgramFolder::scratchRoot() +
                                                     QStringLiteral("/.tavrel-scratch.lock"));
    return m_scratchClaim->tryClaim() && m_scratchClaim->isHeld();
}

QString StartupSession::raiseSocketPath() const
{
    return InstanceClaim::raiseSocketPathFor(m_lockPath);
}
