#include "app/command_line_rename.h"

#include "app/row_filling.h"
#include "core/package_info.h"
#include "inspect/apk_reader.h"
#include "inspect/ipa_reader.h"
#include "inspect/package_reader.h"
#include "platform/path_bytes.h"
#include "rename/name_rule.h"
#include "rename/rename_run.h"

#include <QCoreApplication>
#include <QFileInfo>

NameAndVersion NameAndVersionOf(const PackageReading &reading)
{
    if (reading.kind == ReadKind::Badging) {
        const QString report = reading.badging.value_or(QString());
        return {CleanLabel(PickLabel(report)),
                QuotedValueAfter(report, QStringLiteral("versionName='")).value_or(QString())};
    }
    const IpaFacts facts = IpaFactsFromPlists(reading.plists);
    return {facts.displayName.value_or(QString()), facts.version};
}

CommandLineRename::CommandLineRename(PackageReader *reader, QObject *parent)
    : QObject(parent), m_reader(reader)
{
    connect(m_reader, &PackageReader::packageRead, this, &CommandLineRename::onPackageRead);
}

void CommandLineRename::finishLater(bool renamed, const QString &error)
{
    QMetaObject::invokeMethod(
        this, [this, renamed, error] { emit finished(renamed, error); }, Qt::QueuedConnection);
}

void CommandLineRename::start(const QString &path)
{
    m_path = path;
    const std::optional<ReadKind> kind = readKindFor(path);
    if (!kind) {
        finishLater(false, QCoreApplication::translate("CommandLineRename",
                                                       "不是 apk、xapk、apks、apkm 或 ipa 文件: %1")
                               .arg(path));
        return;
    }
    // A name that is not UTF-8 is read through a path the tools can take; the rename itself
    // works on the bytes.
    const QString readable = PathBytes::reachable(path);
    if (!QFileInfo(readable).isFile()) {
        finishLater(false, QCoreApplication::translate("CommandLineRename", "文件不存在: %1").arg(path));
        return;
    }
    m_ticket = m_reader->read(*kind, readable);
}

void CommandLineRename::onPackageRead(quint64 ticket, const PackageReading &reading)
{
    if (ticket != m_ticket)
        return;
    m_ticket = 0;
    const NameAndVersion found = NameAndVersionOf(reading);
    // A tool that failed is the reason, not the empty name it left behind.
    if (!reading.failure.isEmpty() && found.displayName.isEmpty()) {
        emit finished(false, reading.failure + QStringLiteral(": ") + m_path);
        return;
    }
    if (!QFileInfo(PathBytes::reachable(m_path)).isFile()) {
        emit finished(false, QCoreApplication::translate("CommandLineRename", "文件不存在: %1").arg(m_path));
        return;
    }
    QString error;
    const bool renamed = renameFileByRule(m_path, found.displayName, found.version, NameRule::active(),
                                          packageExtensionOf(m_path), &error);
    emit finished(renamed, error);
}
