// plistconvert: writes a binary, XML or text property list (or a .strings file) as an
// XML property list, with the command line of the system's converter:
//     plistconvert -convert xml1 -s -o OUT SRC
#include "convert.h"
#include "xml_writer.h"

#include <iostream>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace {

int usage(const std::string &why)
{
    std::cerr << "plistconvert: " << why << "\n"
              << "usage: plistconvert -convert xml1 [-s] [-o OUT] SRC\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    // The converted list can be personal (the buyer's name and Apple ID): it is made readable by
    // its owner alone as it is created, whatever the caller's umask.
    ::umask(077);
    std::string format;
    std::string out;
    std::string src;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-convert" || arg == "-o") {
            if (i + 1 >= argc)
                return usage(std::string(arg) + " needs a value");
            (arg == "-o" ? out : format) = argv[++i];
        } else if (arg == "-s") {
            // Silent: nothing is printed on success anyway.
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage("unknown option " + std::string(arg));
        } else if (src.empty()) {
            src = arg;
        } else {
            return usage("more than one source file");
        }
    }
    if (format.empty())
        return usage("no -convert format given");
    if (format != "xml1")
        return usage("unsupported format '" + format + "' (only xml1 is written)");
    if (src.empty())
        return usage("no source file given");
    if (out.empty())
        out = src; // as the system's converter: replace the source in place

    std::string bytes;
    std::string error;
    if (!pc::readFile(src, bytes, error)) {
        std::cerr << "plistconvert: " << src << ": " << error << '\n';
        return 1;
    }
    const pc::PlistPtr root = pc::parsePropertyList(bytes, error);
    if (!root) {
        std::cerr << "plistconvert: " << src << ": " << error << '\n';
        return 1;
    }
    std::string().swap(bytes); // the tree holds everything from here on
    pc::AtomicFile file;
    if (!file.open(out, error)) {
        std::cerr << "plistconvert: " << out << ": " << error << '\n';
        return 1;
    }
    const pc::WriteResult written =
        pc::writeAppleXml(root.get(), [&file](std::string_view piece) { file.write(piece); });
    if (written != pc::WriteResult::Done) {
        // The file is dropped uncommitted; an earlier OUT stays as it was.
        std::cerr << "plistconvert: " << src << ": " << pc::writeResultText(written) << '\n';
        return 1;
    }
    if (!file.commit(error)) {
        std::cerr << "plistconvert: " << out << ": " << error << '\n';
        return 1;
    }
    return 0;
}
