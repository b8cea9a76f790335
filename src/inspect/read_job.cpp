#include "inspect/read_job.h"

#include "inspect/ipa_unpack.h"
#include "inspect/text_codec.h"
#include "inspect/tool_failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

std::optional<QString> readXml(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return DecodeBytes(file.readAll(), CodePage::Utf8);
}

QString toolName(const ToolCommand &command)
{
    return QFileInfo(command.program).fileName();
}

// 7za says 1 when it passed over a member it would not write (too large, outside its folder):
// the rest is there. Anything else but 0 means the archive could not be read.
bool extractionFailed(const ToolRunResult &result)
{
    return result.outcome != ToolRunResult::Finished || result.exitCode > 1;
}

} // namespace

ReadJob::ReadJob(ReadKind kind, const QString &packagePath, const QString &scratchFolder,
                 const ToolLimits &limits, ScratchClearing *clearing, QObject *parent)
    : QObject(parent), m_folder(scratchFolder), m_clearing(clearing), m_limits(limits)
{
    m_reading.kind = kind;
    m_reading.path = packagePath;
    connect(&m_run, &ToolRun::ended, this, &ReadJob::onToolEnded);
}

void ReadJob::start()
{
    if (m_reading.kind == ReadKind::Badging) {
        m_steps = {ToolCommands::badging(m_reading.path)};
    } else {
        // The folder is this worker's alone: whatever the previous package left there goes first,
        // so nothing of it is read as this one's. It is moved aside at once and deleted in the
        // background: removing a tree file by file can take longer than reading the package.
        m_clearing->clear(m_folder);
        QDir().mkpath(m_folder);
        const QStringList members = m_reading.kind == ReadKind::IpaPlists
                                        ? PlistMembers()
                                        : QStringList{QStringLiteral("iTunesMetadata.plist")};
        // One run for all of them: a package costs a start of the tool, not one per name.
        m_steps << ToolCommands::extractMembers(m_reading.path, m_folder, members);
        m_extractions = m_steps.size();
    }
    runNext();
}

void ReadJob::runNext()
{
    if (m_next == m_extractions && m_extractions > 0)
        m_steps << PlistConversions(m_folder, m_folder);
    if (m_next >= m_steps.size()) {
        finish();
        return;
    }
    const ToolCommand &command = m_steps.at(m_next);
    m_run.start(command.program, command.arguments, m_limits);
}

void ReadJob::onToolEnded(const ToolRunResult &result)
{
    const bool extraction = m_next < m_extractions;
    const bool failed = extraction ? extractionFailed(result) : !result.succeeded();
    if (failed && m_reading.failure.isEmpty())
        m_reading.failure = toolFailureText(toolName(m_steps.at(m_next)), result);
    if (m_reading.kind == ReadKind::Badging && result.succeeded())
        m_reading.badging = DecodeBytes(result.output, CodePage::Utf8);
    ++m_next;
    runNext();
}

void ReadJob::finish()
{
    if (m_reading.kind != ReadKind::Badging) {
        if (m_reading.kind == ReadKind::IpaPlists) {
            m_reading.plists.info = readXml(m_folder + ScratchOutput::info());
            m_reading.plists.infoPlist = readXml(m_folder + ScratchOutput::infoPlistStrings());
        }
        m_reading.plists.storeMetadata = readXml(m_folder + ScratchOutput::storeMetadata());
    }
    emit done(m_reading);
}
