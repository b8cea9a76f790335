// libFuzzer entry: the first two bytes give the manifest's share of the input, the rest is the
// resource table, so one input exercises both parsers and their meeting in the report.
#include "badging.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t split = std::min<size_t>(size - 2, size_t(data[0] | data[1] << 8));
    aapt::MemorySource manifest(data + 2, split);
    aapt::MemorySource table(data + 2 + split, size - 2 - split);
    try {
        aapt::badgingReport(manifest, table.size() ? &table : nullptr);
    } catch (const aapt::FormatError &) {
    }
    return 0;
}
