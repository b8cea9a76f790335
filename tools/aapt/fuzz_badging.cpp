// libFuzzer entry for the zip reader, the bundle search, the manifest and resource-table
// parsers and the report built from them.
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        aapt::reportForPackedInput(data, size);
    } catch (const aapt::FormatError &) {
        // Malformed input refused: the outcome wanted.
    }
    return 0;
}
