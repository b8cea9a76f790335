// Helpers shared by the aapt tests: running our tool and the reference, reading and writing
// package members, and reducing a report to the lines the program relies on.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct ToolRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program by its full path (never a PATH lookup: ours and the reference share a name).
ToolRun runTool(const std::string &program, const std::vector<std::string> &args);
ToolRun runOurAapt(const std::string &apk);

std::string fixturePath(const std::string &name);
std::vector<std::string> fixtureApkNames();
std::string readTextFile(const std::string &path);

std::vector<uint8_t> readMember(const std::string &apk, const char *member);
// Writes a package holding the given members; compressed or stored as asked.
struct Member
{
    std::string name;
    std::vector<uint8_t> bytes;
    bool compress = true;
};
void writeZip(const std::string &path, const std::vector<Member> &members);

// The relied-on lines of a report, with the reference tool's newer spellings mapped to the old
// ones and CR LF reduced to LF.
std::vector<std::string> reliedOnLines(const std::string &report);

// A resource table of package 0x7f with one type (id 1): one chunk per entry of chunks, each for
// a density and a language (two letters or none) and holding entries, dense or sparse. Values are
// decimal integers unless an entry says otherwise (0x01 a reference, 0x03 a string of strings).
struct TableEntry
{
    uint16_t index = 0;
    uint32_t data = 0;
    uint8_t type = 0x10;
};
struct TableChunk
{
    uint16_t density = 0;
    bool sparse = false;
    std::vector<TableEntry> entries;
    std::string language;
};
std::vector<uint8_t> buildTable(const std::vector<TableChunk> &chunks,
                                const std::vector<std::u16string> &strings = {});

// A compiled manifest: a <manifest> root holding the given elements, each closed at once.
// Names and values are indices into strings (a UTF-16 pool); resourceIds maps the first of
// them to attribute resource ids.
constexpr uint32_t NoIndex = 0xffffffff;
struct ManifestAttribute
{
    uint32_t ns = NoIndex;
    uint32_t name = 0;
    uint32_t raw = NoIndex;
    uint8_t type = 0x03;
    uint32_t data = 0;
};
struct ManifestElement
{
    uint32_t name = 0;
    std::vector<ManifestAttribute> attributes;
};
std::vector<uint8_t> buildManifest(const std::vector<std::u16string> &strings,
                                   const std::vector<uint32_t> &resourceIds, const ManifestElement &root,
                                   const std::vector<ManifestElement> &children);

// Runs our tool with its address space limited, so that a run that would need more memory
// fails instead of taking the machine's.
ToolRun runOurAaptLimited(const std::string &apk, uint64_t addressSpaceBytes);
