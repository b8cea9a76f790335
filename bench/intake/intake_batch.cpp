// Reading a batch of packages through the reading engine with a given number of workers, against
// the same tool runs one after another on their own. Prints the time of each.
//   bench_intake PROGRAM_DIR FOLDER_WITH_PACKAGES WORKERS...
#include "inspect/ipa_unpack.h"
#include "inspect/package_reader.h"
#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

void runAlone(const ToolCommand &command)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(command.program, command.arguments);
    process.waitForFinished(-1);
    process.readAllStandardOutput();
}

// The tool runs the engine makes for one package, without anything around them.
void runToolsAlone(const QString &path, const QString &scratch)
{
    if (path.endsWith(QLatin1String("apk"))) {
        runAlone(ToolCommands::badging(path));
        return;
    }
    QDir().mkpath(scratch);
    for (const QString &member : PlistMembers())
        runAlone(ToolCommands::extractMember(path, scratch, member));
    for (const ToolCommand &conversion : PlistConversions(scratch, scratch))
        runAlone(conversion);
    QDir(scratch).removeRecursively();
}

double readAll(const QStringList &paths, int workers, int *failures)
{
    PackageReader reader(workers);
    *failures = 0;
    QObject::connect(&reader, &PackageReader::packageRead, [failures](quint64, const PackageReading &reading) {
        *failures += reading.failure.isEmpty() ? 0 : 1;
    });
    QObject::connect(&reader, &PackageReader::idle, &QCoreApplication::quit);
    QElapsedTimer clock;
    clock.start();
    for (const QString &path : paths)
        reader.read(path.endsWith(QLatin1String("apk")) ? ReadKind::Badging : ReadKind::IpaPlists, path);
    QCoreApplication::exec();
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR FOLDER_WITH_PACKAGES WORKERS...\n", argv[0]);
        return 2;
    }
    QTemporaryDir scratch;
    const ProgramFolder::ScopedOverride folders(QString::fromLocal8Bit(argv[1]), scratch.path());
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    QStringList paths;
    for (const QString &name : folder.entryList({QStringLiteral("*.apk"), QStringLiteral("*.ipa")}, QDir::Files))
        paths << folder.absoluteFilePath(name);

    QElapsedTimer clock;
    clock.start();
    for (const QString &path : paths)
        runToolsAlone(path, scratch.path() + QStringLiteral("/alone/"));
    const double toolsMs = clock.nsecsElapsed() / 1e6;
    std::printf("packages             %lld\n", static_cast<long long>(paths.size()));
    std::printf("tools alone          %.1f ms\n", toolsMs);
    for (int i = 3; i < argc; ++i) {
        const int workers = std::max(1, QByteArray(argv[i]).toInt());
        int failures = 0;
        const double ms = readAll(paths, workers, &failures);
        std::printf("engine, %d worker(s)  %.1f ms  (%.2f x tools alone, %d failed)\n", workers, ms, ms / toolsMs,
                    failures);
    }
    return 0;
}
