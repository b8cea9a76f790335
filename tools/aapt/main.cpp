// aapt d badging APK (or a bundle of split APKs): prints the package's badging report, or says on stderr why
// it cannot.
#include "badging.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

int main(int argc, char **argv)
{
    const bool dump = argc == 4 && (std::strcmp(argv[1], "d") == 0 || std::strcmp(argv[1], "dump") == 0) &&
                      std::strcmp(argv[2], "badging") == 0;
    if (!dump) {
        std::fprintf(stderr, "usage: aapt d badging FILE.apk|FILE.xapk|FILE.apks|FILE.apkm\n");
        return 2;
    }
    try {
        const std::string report = aapt::badgingReportForFile(argv[3]);
        // The whole report is built before anything is written: a failure leaves stdout empty.
        std::fwrite(report.data(), 1, report.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const aapt::FormatError &e) {
        // Zeros in place of a part that went away can look like any damage: say what it was.
        std::fprintf(stderr, "aapt: %s: %s\n", argv[3],
                     aapt::MappedFile::anyCutShort() ? "the file was cut short while it was read" : e.what());
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "aapt: %s: out of memory\n", argv[3]);
    }
    return 1;
}
