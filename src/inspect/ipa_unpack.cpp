#include "inspect/ipa_unpack.h"

#include "platform/program_folder.h"
#include "platform/tree_removal.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>

namespace {

const QString kTrashPrefix = QStringLiteral(".tavrel-clearing-");

bool isApplicationBundle(const QString &folderName)
{
    const qsizetype dot = folderName.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot < 0 ? folderName : folderName.mid(dot + 1);
    return suffix.compare(QLatin1String("app"), Qt::CaseInsensitive) == 0;
}

bool isChineseStringsFolder(const QString &folderName)
{
    return folderName.compare(QLatin1String("zh-Hans.lproj"), Qt::CaseInsensitive) == 0 ||
           folderName.compare(QLatin1String("zh_CN.lproj"), Qt::CaseInsensitive) == 0;
}

// The XML name a found file converts to, or nothing when it is not one we read.
QString outputFor(const QString &fileName, const QString &folderName)
{
    if (fileName.compare(QLatin1String("Info.plist"), Qt::CaseInsensitive) == 0)
        return isApplicationBundle(folderName) ? ScratchOutput::info() : QString();
    if (fileName.compare(QLatin1String("InfoPlist.strings"), Qt::CaseInsensitive) == 0)
        return isChineseStringsFolder(folderName) ? ScratchOutput::infoPlistStrings() : QString();
    if (fileName.compare(QLatin1String("iTunesMetadata.plist"), Qt::CaseInsensitive) == 0)
        return ScratchOutput::storeMetadata();
    return QString();
}

// A hostile package may hold thousands of lists; a run takes this many at most, so that its command
// line stays far below the system's bound.
constexpr qsizetype kConversionsPerRun = 64;

void collectConversions(const QString &folder, const QString &output,
                        QList<ToolCommands::PlistConversion> *conversions)
{
    QString base = folder;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    const QDir dir(base);
    if (!dir.exists())
        return;
    const QString folderName = QFileInfo(base.chopped(1)).fileName();
    const QFileInfoList entries = dir.entryInfoList(
        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QStringList subfolders;
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink())
            continue;
        if (entry.isDir()) {
            subfolders << entry.fileName();
            continue;
        }
        const QString xmlName = outputFor(entry.fileName(), folderName);
        if (!xmlName.isEmpty())
            conversions->append({output + xmlName, base + entry.fileName()});
    }
    for (const QString &subfolder : subfolders)
        collectConversions(base + subfolder, output, conversions);
}

} // namespace

namespace ScratchFolder {

QString folderName(int worker)
{
    return worker == 0 ? QStringLiteral("temp") : QStringLiteral("temp") + QString::number(worker);
}

QString path(int worker)
{
    return ProgramFolder::scratchRoot() + QLatin1Char('/') + folderName(worker) + QLatin1Char('/');
}

QStringList present()
{
    static const QRegularExpression workerName(QStringLiteral("^temp[0-9]*$"));
    const QStringList all =
        QDir(ProgramFolder::scratchRoot())
            .entryList({QStringLiteral("temp*")}, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    QStringList names;
    for (const QString &name : all) {
        if (workerName.match(name).hasMatch())
            names << name;
    }
    return names;
}

} // namespace ScratchFolder

ScratchClearing::ScratchClearing()
{
    m_pool.setMaxThreadCount(1);
}

ScratchClearing::~ScratchClearing()
{
    wait();
}

void ScratchClearing::deleteInBackground(const QString &path)
{
    m_pool.start([path] { removeTree(path); });
}

void ScratchClearing::clear(const QString &folder)
{
    const QMutexLocker lock(&m_mutex);
    const QString root = ProgramFolder::scratchRoot();
    QString name = folder;
    if (name.endsWith(QLatin1Char('/')))
        name.chop(1);
    const QFileInfo info(name);
    if (info.isDir() || info.isSymLink()) {
        // Renaming moves a link itself, and the removal unlinks it: what it points to is not ours.
        const QString asideName = kTrashPrefix + QUuid::createUuid().toString(QUuid::Id128);
        if (QDir().rename(name, root + QLatin1Char('/') + asideName)) {
            m_started.insert(asideName);
            deleteInBackground(root + QLatin1Char('/') + asideName);
        } else {
            removeTree(name); // could not move it aside: clear it before going on
        }
    }
    const QStringList leftovers =
        QDir(root).entryList({kTrashPrefix + QLatin1Char('*')},
                             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &leftover : leftovers) {
        if (!m_started.contains(leftover)) {
            m_started.insert(leftover);
            deleteInBackground(root + QLatin1Char('/') + leftover);
        }
    }
}

void ScratchClearing::clearAll()
{
    const QStringList names = ScratchFolder::present();
    if (names.isEmpty())
        clear(QString()); // only the sweep of leftovers
    for (const QString &name : names)
        clear(ProgramFolder::scratchRoot() + QLatin1Char('/') + name);
}

void ScratchClearing::wait()
{
    m_pool.waitForDone();
}

QStringList PlistMembers()
{
    return {QStringLiteral("iTunesMetadata.plist"), QStringLiteral("InfoPlist.strings"),
            QStringLiteral("info.plist")};
}

QList<ToolCommand> PlistConversions(const QString &folder, const QString &outputFolder)
{
    QList<ToolCommands::PlistConversion> conversions;
    collectConversions(folder, outputFolder, &conversions);
    QList<ToolCommand> runs;
    for (qsizetype first = 0; first < conversions.size(); first += kConversionsPerRun)
        runs << ToolCommands::convertPlists(conversions.mid(first, kConversionsPerRun));
    return runs;
}
