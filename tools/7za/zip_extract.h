// Extraction of chosen members of a zip archive into a folder.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace za {

// Property lists are small; a member that claims or turns out to be larger than this is
// refused, so a crafted archive cannot fill the disk.
constexpr std::uint64_t kMaxMemberSize = 64ull << 20;

// Nor may all members of one run together: once what was written would pass this, the
// member at hand is dropped and the run ends. A package's property lists come to a few
// hundred kilobytes.
constexpr std::uint64_t kMaxTotalSize = 64ull << 20;

// Nor may it decompress more than this, kept or thrown away: members that lie about their
// size are read up to the member bound before they are refused.
constexpr std::uint64_t kMaxExpanded = 256ull << 20;

// Nor may one run create more files and folders than this (each takes time, whatever its
// size). A package has a few hundred property lists in a few hundred folders.
constexpr std::uint64_t kMaxEntries = 20000;

struct ExtractRequest
{
    std::string archive;
    std::string outDir = ".";
    std::vector<std::string> patterns; // empty: every member
    bool recursive = false;
    std::uint64_t maxMemberSize = kMaxMemberSize;
    std::uint64_t maxTotalSize = kMaxTotalSize;
    std::uint64_t maxEntries = kMaxEntries;
    std::uint64_t maxExpanded = kMaxExpanded;
    // A process that ends right afterwards may leave the archive's directory to the
    // system instead of freeing it entry by entry.
    bool releaseArchive = true;
};

struct ExtractResult
{
    bool archiveOpened = false;
    int extracted = 0;
    int skipped = 0;      // refused as unsafe or too large; nothing written
    bool stopped = false; // a bound of the run was reached; later members were not looked at
    int failed = 0;       // could not be read or written; nothing written
};

// Reads only the central directory and the matching members. Every file is written
// beside its final name and renamed over it when complete, so a failure never leaves a
// partial file and an existing file (or link) is replaced, never written through.
ExtractResult extractMembers(const ExtractRequest &request, std::ostream &log, std::ostream &err);

// The archiver's exit status for a result: 0 fine, 1 members refused (or the run stopped
// at its total bound), 2 failure.
int exitStatus(const ExtractResult &result);

} // namespace za
