#include "app/batch_targets.h"

#include "core/package_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

class Collector
{
public:
    Collector(bool recursive, BatchTargets *targets) : m_recursive(recursive), m_targets(targets) {}

    void addNamed(const QString &path)
    {
        const QFileInfo info(path);
        if (info.isDir()) {
            addFolder(path);
        } else if (!info.exists()) {
            m_targets->problems.append({path, QCoreApplication::translate("CommandLine", "文件不存在")});
        } else if (!info.isFile() || packageKindOf(path) == PackageKind::None) {
            m_targets->problems.append(
                {path, QCoreApplication::translate("CommandLine", "不是 apk、xapk、apks、apkm 或 ipa 文件")});
        } else {
            addPackage(path);
        }
    }

private:
    void addFolder(const QString &folder)
    {
        // A folder reached twice (named twice, or through a link back up) is read once.
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || m_folders.contains(canonical))
            return;
        m_folders.insert(canonical);

        const QDir dir(folder);
        const QDir::SortFlags order = QDir::Name;
        for (const QFileInfo &file : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, order)) {
            if (file.isFile() && packageKindOf(file.fileName()) != PackageKind::None)
                addPackage(joined(folder, file.fileName()));
        }
        if (!m_recursive)
            return;
        for (const QFileInfo &sub :
             dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, order)) {
            if (!sub.isSymLink())
                addFolder(joined(folder, sub.fileName()));
        }
    }

    void addPackage(const QString &path)
    {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (m_files.contains(canonical))
            return;
        m_files.insert(canonical);
        m_targets->packages << path;
    }

    static QString joined(const QString &folder, const QString &name)
    {
        if (folder.endsWith(QLatin1Char('/')))
            return folder + name;
        return folder + QLatin1Char('/') + name;
    }

    bool m_recursive;
    BatchTargets *m_targets;
    QSet<QString> m_folders;
    QSet<QString> m_files;
};

} // namespace

BatchTargets collectBatchTargets(const QStringList &paths, bool recursive)
{
    BatchTargets targets;
    Collector collector(recursive, &targets);
    for (const QString &path : paths)
        collector.addNamed(path);
    return targets;
}
