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

// A resource table of package 0x7f with one type (id 1) of integer resources: one chunk per
// entry of chunks, each for a density and holding (entry index, value) pairs, dense or sparse.
struct TableChunk
{
    uint16_t density = 0;
    bool sparse = false;
    std::vector<std::pair<uint16_t, uint32_t>> entries;
};
std::vector<uint8_t> buildTable(const std::vector<TableChunk> &chunks);
