// The list window taking a batch of packages: how long from handing it the files until every row
// is filled, with the package icons read (a program folder with the thumbnailer) and without (one
// without it), and when the icons of the rows in view have come as well; for comparison, also with
// the icons read beside the intake instead of giving way to it. The three take turns, so that a
// change of the machine's load meets them alike.
//   bench_window_fill PROGRAM_DIR PROGRAM_DIR_WITHOUT_THUMBNAILER FOLDER_WITH_PACKAGES ROUNDS
#include "app/intake.h"
#include "app/package_icons.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "windows/main/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Fill
{
    double filledMs = 0;    // until the last row is filled
    double iconsMs = 0;     // until the icons of the rows in view are read as well
    int iconRunsDuring = 0; // thumbnailer runs seen under way while the rows were filling
};

// yielding false: the icons are read beside the intake, as they were before they gave way to it.
Fill fillOnce(const QString &programDir, const QString &scratch, const QStringList &paths,
              bool yielding = true)
{
    const ProgramFolder::ScopedOverride folders(programDir, scratch);
    MainWindow window;
    window.show();
    if (!yielding) {
        window.intake()->disconnect(window.icons());
        window.icons()->yieldTo(nullptr);
    }
    Fill fill;
    QEventLoop loop;
    QElapsedTimer clock;
    QTimer iconsDone;
    iconsDone.setInterval(5);
    QObject::connect(&iconsDone, &QTimer::timeout, &loop, [&] {
        if (window.icons()->runningCount() == 0 && window.icons()->waitingCount() == 0) {
            fill.iconsMs = clock.nsecsElapsed() / 1e6;
            loop.quit();
        }
    });
    QObject::connect(window.intake(), &Intake::progress, &loop, [&] {
        fill.iconRunsDuring = std::max(fill.iconRunsDuring, window.icons()->runningCount());
    });
    QObject::connect(window.intake(), &Intake::batchFinished, &loop, [&] {
        fill.filledMs = clock.nsecsElapsed() / 1e6;
        iconsDone.start();
    });
    // The clock starts once the window has come up and painted its empty list.
    QTimer::singleShot(300, &window, [&] {
        clock.start();
        window.addChosenFiles(paths);
    });
    loop.exec();
    return fill;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR PROGRAM_DIR_WITHOUT_THUMBNAILER FOLDER ROUNDS\n",
                     argv[0]);
        return 2;
    }
    QTemporaryDir scratch;
    const SettingsStore::ScopedFile settings(scratch.filePath(QStringLiteral("settings.ini")));
    const QString withIcons = QString::fromLocal8Bit(argv[1]);
    const QString withoutIcons = QString::fromLocal8Bit(argv[2]);
    const QDir folder(QString::fromLocal8Bit(argv[3]));
    const int rounds = std::max(1, QByteArray(argv[4]).toInt());
    QStringList paths;
    for (const QString &name :
         folder.entryList({QStringLiteral("*.apk"), QStringLiteral("*.ipa")}, QDir::Files))
        paths << folder.absoluteFilePath(name);

    std::printf("packages %lld\n", static_cast<long long>(paths.size()));
    std::vector<double> on;
    std::vector<double> off;
    std::vector<double> beside;
    for (int round = 1; round <= rounds; ++round) {
        // Each round begins with another of the three, so that none always comes first.
        Fill without, with, along;
        for (int turn = 0; turn < 3; ++turn) {
            switch ((round + turn) % 3) {
            case 0:
                without = fillOnce(withoutIcons, scratch.path(), paths);
                break;
            case 1:
                with = fillOnce(withIcons, scratch.path(), paths);
                break;
            default:
                along = fillOnce(withIcons, scratch.path(), paths, false);
            }
        }
        off.push_back(without.filledMs);
        on.push_back(with.filledMs);
        beside.push_back(along.filledMs);
        std::printf(
            "round %d  filled: without icons %7.1f ms, with icons %7.1f ms (icons in view at %7.1f ms, "
            "%d icon runs while filling), icons not giving way %7.1f ms (%d runs while filling)\n",
            round, without.filledMs, with.filledMs, with.iconsMs, with.iconRunsDuring, along.filledMs,
            along.iconRunsDuring);
        std::fflush(stdout);
    }
    std::printf("median   filled: without icons %7.1f ms, with icons %7.1f ms (%.3f x), icons not giving way "
                "%7.1f ms (%.3f x)\n",
                median(off), median(on), median(on) / median(off), median(beside),
                median(beside) / median(off));
    return 0;
}
