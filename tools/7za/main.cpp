// 7za: extracts chosen members of a zip archive, with the command line of the 7-Zip
// console extractor:  7za x -y -r ARCHIVE -oDIR MEMBER...
#include "zip_extract.h"

#include <cstdlib>
#include <iostream>
#include <string_view>
#include <sys/stat.h>

namespace {

int usage(const char *why)
{
    std::cerr << "7za: " << why << "\n"
              << "usage: 7za x [-y] [-r] ARCHIVE -oDIR [MEMBER...]\n";
    return 7;
}

} // namespace

int main(int argc, char **argv)
{
    // What comes out of a package can be personal (the buyer's name and Apple ID): every folder
    // and file is made private (0700, 0600) as it is created, whatever the caller's umask.
    ::umask(077);
    if (argc < 2)
        return usage("no command given");
    za::ExtractRequest request;
    if (std::string_view(argv[1]) != "x")
        return usage("unsupported command (only x, extract with paths)");

    bool haveArchive = false;
    bool switchesEnd = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!switchesEnd && arg == "--") {
            switchesEnd = true;
        } else if (!switchesEnd && arg.size() > 1 && arg[0] == '-') {
            if (arg.substr(0, 2) == "-o") {
                request.outDir = std::string(arg.substr(2));
                if (request.outDir.empty())
                    return usage("-o needs a folder, joined to the switch");
            } else if (arg == "-r") {
                request.recursive = true;
            } else if (arg == "-r-") {
                request.recursive = false;
            } else if (arg == "-y" || arg == "-aoa" || arg == "-bd" || arg.substr(0, 3) == "-bb") {
                // Nothing is ever asked and existing files are always replaced.
            } else {
                return usage("unsupported switch");
            }
        } else if (!haveArchive) {
            request.archive = std::string(arg);
            haveArchive = true;
        } else {
            request.patterns.emplace_back(arg);
        }
    }
    if (!haveArchive)
        return usage("no archive given");

    // With TZ unset the C library re-examines the zone file on every local-time
    // conversion, and opening an archive converts the time of every member. Naming the
    // same zone file explicitly lets it read the file once.
    if (!std::getenv("TZ"))
        ::setenv("TZ", ":/etc/localtime", 0);

    request.releaseArchive = false;
    const za::ExtractResult result = za::extractMembers(request, std::cout, std::cerr);
    return za::exitStatus(result);
}
