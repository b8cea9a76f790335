// An icon as the search finds it: pixels already drawn, or the bitmap file that holds it, left
// undecoded until it is known whether the file can be written out as it is.
#pragma once

#include "byte_source.h"
#include "image.h"

#include <memory>
#include <string>
#include <string_view>

namespace thumb {

// The bytes of a member or file, as the decoders take them.
inline std::string_view viewOf(const aapt::ByteSource &bytes)
{
    return {reinterpret_cast<const char *>(bytes.data()), size_t(bytes.size())};
}

struct FoundIcon
{
    Image image;
    std::unique_ptr<aapt::ByteSource> bitmap; // when set, the icon is this file's picture

    bool isNull() const { return !bitmap && image.isNull(); }
};

// The icon's pixels, straight or premultiplied, no larger than size x size: the bitmap decoded,
// and scaled down to fit. Throws IconError.
Image iconImage(FoundIcon icon, int size);

// The thumbnail file: a bitmap that is a sound plain PNG and already fits written as it is,
// anything else drawn and packed as PNG. Throws IconError.
std::string iconPng(FoundIcon icon, int size);

} // namespace thumb
