// plistconvert: writes a binary, XML or text property list (or a .strings file) as an
// XML property list, with the command line of the system's converter:
//     plistconvert -convert xml1 -s -o OUT SRC
// Several lists convert in one run when each source follows its own -o:
//     plistconvert -convert xml1 -s -o OUT1 SRC1 -o OUT2 SRC2 ...
// A run costs more to start than a list costs to convert, and a package has several lists.
#include "convert.h"
#include "xml_writer.h"

#include <iostream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

int usage(const std::string &why)
{
    std::cerr << "plistconvert: " << why << "\n"
              << "usage: plistconvert -convert xml1 [-s] [-o OUT] SRC [-o OUT SRC]...\n";
    return 2;
}

struct Conversion
{
    std::string source;
    std::string output; // empty: the source itself is replaced, as the system's converter does
};

// Says on stderr why, when it fails; an earlier OUT then stays as it was.
bool convert(const Conversion &conversion)
{
    const std::string &src = conversion.source;
    const std::string &out = conversion.output.empty() ? src : conversion.output;
    std::string bytes;
    std::string error;
    if (!pc::readFile(src, bytes, error)) {
        std::cerr << "plistconvert: " << src << ": " << error << '\n';
        return false;
    }
    const pc::PlistPtr root = pc::parsePropertyList(bytes, error);
    if (!root) {
        std::cerr << "plistconvert: " << src << ": " << error << '\n';
        return false;
    }
    std::string().swap(bytes); // the tree holds everything from here on
    pc::AtomicFile file;
    if (!file.open(out, error)) {
        std::cerr << "plistconvert: " << out << ": " << error << '\n';
        return false;
    }
    const pc::WriteResult written =
        pc::writeAppleXml(root.get(), [&file](std::string_view piece) { file.write(piece); });
    if (written != pc::WriteResult::Done) {
        std::cerr << "plistconvert: " << src << ": " << pc::writeResultText(written) << '\n';
        return false;
    }
    if (!file.commit(error)) {
        std::cerr << "plistconvert: " << out << ": " << error << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // The converted list can be personal (the buyer's name and Apple ID): it is made readable by
    // its owner alone as it is created, whatever the caller's umask.
    ::umask(077);
    std::string format;
    std::vector<Conversion> conversions;
    std::string pendingOut; // the -o that waits for its source
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-convert" || arg == "-o") {
            if (i + 1 >= argc)
                return usage(std::string(arg) + " needs a value");
            if (arg == "-convert") {
                format = argv[++i];
            } else if (!pendingOut.empty()) {
                return usage("-o given twice for one source");
            } else {
                pendingOut = argv[++i];
                if (pendingOut.empty())
                    return usage("-o needs a value");
            }
        } else if (arg == "-s") {
            // Silent: nothing is printed on success anyway.
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage("unknown option " + std::string(arg));
        } else {
            conversions.push_back({std::string(arg), std::exchange(pendingOut, std::string())});
        }
    }
    // The one-list form also takes its -o after the source.
    if (!pendingOut.empty()) {
        if (conversions.size() != 1 || !conversions.front().output.empty())
            return usage("-o without a source after it");
        conversions.front().output = pendingOut;
    }
    if (format.empty())
        return usage("no -convert format given");
    if (format != "xml1")
        return usage("unsupported format '" + format + "' (only xml1 is written)");
    if (conversions.empty())
        return usage("no source file given");

    // Every list is tried, in the order given: a later one written to the same OUT wins.
    bool allConverted = true;
    for (const Conversion &conversion : conversions)
        allConverted = convert(conversion) && allConverted;
    return allConverted ? 0 : 1;
}
