// Intake of a batch of packages through the list logic, against the same tool runs on their own.
// Prints the total time of each and the cost per package beyond the tools' own run time.
//   bench_intake_batch PROGRAM_DIR FOLDER_WITH_PACKAGES
#include "app/intake.h"
#include "core/package_list.h"
#include "inspect/command_runner.h"
#include "inspect/ipa_unpack.h"
#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The tool runs an intake makes for one package, without anything around them.
void runToolsAlone(const QString &path, const QString &scratch)
{
    if (path.endsWith(QLatin1String("apk"))) {
        CaptureCommandOutput(ToolCommands::badging(path));
        return;
    }
    for (const char *member : {"iTunesMetadata.plist", "InfoPlist.strings", "info.plist"})
        RunHiddenAndWait(ToolCommands::extractMember(path, scratch, QString::fromLatin1(member)));
    // Convert what the extraction brought out, as the walk would.
    QDirIterator it(scratch,
                    {QStringLiteral("Info.plist"), QStringLiteral("InfoPlist.strings"),
                     QStringLiteral("iTunesMetadata.plist")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        RunHiddenAndWait(ToolCommands::convertPlist(scratch + QStringLiteral("out.xml"), it.next()));
    QDir(scratch).removeRecursively();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR FOLDER_WITH_PACKAGES\n", argv[0]);
        return 2;
    }
    QTemporaryDir scratch;
    const ProgramFolder::ScopedOverride folders(QString::fromLocal8Bit(argv[1]), scratch.path());
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    QStringList paths;
    for (const QString &name :
         folder.entryList({QStringLiteral("*.apk"), QStringLiteral("*.ipa")}, QDir::Files))
        paths << folder.absoluteFilePath(name);

    QElapsedTimer clock;
    clock.start();
    for (const QString &path : paths)
        runToolsAlone(path, scratch.path() + QStringLiteral("/alone/"));
    const double toolsMs = clock.nsecsElapsed() / 1e6;

    PackageList list;
    Intake intake(&list);
    clock.restart();
    intake.addDroppedPaths(paths);
    const double intakeMs = clock.nsecsElapsed() / 1e6;
    WaitForBackgroundClearing();

    int named = 0;
    for (int p = 1; p <= list.count(); ++p)
        named += list.rowAt(p).displayName.isEmpty() ? 0 : 1;
    std::printf("packages           %lld (%d named)\n", static_cast<long long>(paths.size()), named);
    std::printf("tools alone        %.1f ms\n", toolsMs);
    std::printf("intake             %.1f ms\n", intakeMs);
    std::printf("beyond the tools   %.2f ms per package\n",
                (intakeMs - toolsMs) / qMax<qsizetype>(1, paths.size()));
    return 0;
}
