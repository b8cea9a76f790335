// libFuzzer entry for the icon search in APKs, bundles and IPAs, the drawables they name and
// Apple's PNG variant. The first byte picks the size asked for; the rest is the archive, or,
// when it starts with the PNG signature, an image decoded as Apple's variant.
#include "cgbi_png.h"
#include "thumbnail.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int iconSize = 1 + data[0] % 128;
    ++data;
    --size;
    try {
        if (size >= 8 && std::memcmp(data, "\x89PNG", 4) == 0)
            thumb::decodeCgbiPng(std::string_view(reinterpret_cast<const char *>(data), size));
        else
            thumb::packageIcon(std::make_shared<aapt::MemorySource>(data, size), iconSize);
    } catch (const std::exception &) {
    }
    return 0;
}
