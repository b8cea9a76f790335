// libFuzzer entry for the icon search in APKs, bundles and IPAs, the drawables they name and
// Apple's PNG variant.
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    thumb::iconForPackedInput(data, size);
    return 0;
}
