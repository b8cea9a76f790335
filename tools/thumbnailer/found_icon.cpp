#include "found_icon.h"

#include "image_decode.h"
#include "png_codec.h"
#include "png_pass_through.h"
#include "resample.h"

namespace thumb {

Image iconImage(FoundIcon icon, int size)
{
    if (icon.bitmap)
        return fitted(decodeImage(viewOf(*icon.bitmap)), size);
    return fitted(std::move(icon.image), size);
}

std::string iconPng(FoundIcon icon, int size)
{
    if (icon.bitmap)
        if (std::optional<std::string> png = passThroughPng(viewOf(*icon.bitmap), size))
            return std::move(*png);
    Image image = iconImage(std::move(icon), size);
    unpremultiply(image);
    return encodePng(image);
}

} // namespace thumb
