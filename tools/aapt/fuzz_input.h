// One input for the parsers as the fuzz target and its regression test take it: either a whole
// archive (an APK or a bundle, starting "PK"), or two bytes (little-endian) giving the
// manifest's length, the manifest, then the resource table.
#pragma once

#include "badging.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace aapt {

// Builds the report for a packed input; malformed data ends in FormatError, as it should.
inline std::string reportForPackedInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        throw FormatError("input too short");
    if (data[0] == 'P' && data[1] == 'K')
        return badgingReportForArchive(std::make_shared<MemorySource>(data, size));
    const size_t split = std::min<size_t>(size - 2, size_t(data[0] | data[1] << 8));
    MemorySource manifest(data + 2, split);
    MemorySource table(data + 2 + split, size - 2 - split);
    return badgingReport(manifest, table.size() ? &table : nullptr);
}

} // namespace aapt
