// One input as the fuzz target and its regression test take it: a byte choosing the size asked
// for, then either a package (APK, bundle or IPA) or, when it starts with the PNG signature, an
// image checked for copying as it is and read as Apple's PNG variant.
#pragma once

#include "png_codec.h"
#include "png_pass_through.h"
#include "thumbnail.h"

#include <cstring>
#include <exception>

namespace thumb {

inline void iconForPackedInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return;
    const int iconSize = 1 + data[0] % 128;
    ++data;
    --size;
    try {
        if (size >= 8 && std::memcmp(data, "\x89PNG", 4) == 0) {
            const std::string_view png(reinterpret_cast<const char *>(data), size);
            passThroughPng(png, iconSize);
            decodeCgbiPng(png);
        } else
            iconPng(findPackageIcon(std::make_shared<aapt::MemorySource>(data, size), iconSize), iconSize);
    } catch (const std::exception &) {
        // Refusing malformed input is what it should do.
    }
}

} // namespace thumb
