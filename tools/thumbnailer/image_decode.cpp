#include "image_decode.h"

#include "icon_limits.h"
#include "image_libraries.h"
#include "jpeg_decode.h"
#include "png_codec.h"

#include <string>

namespace thumb {

namespace {

enum class Format { Unknown, Png, Jpeg, WebP };

Format formatOf(std::string_view bytes)
{
    if (bytes.size() >= 8 && bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8))
        return Format::Png;
    if (bytes.size() >= 3 && bytes.substr(0, 3) == std::string_view("\xff\xd8\xff", 3))
        return Format::Jpeg;
    if (bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "WEBP")
        return Format::WebP;
    return Format::Unknown;
}

const uint8_t *bytesOf(std::string_view bytes)
{
    return reinterpret_cast<const uint8_t *>(bytes.data());
}

Image decodePng(std::string_view bytes)
{
    const PngLibrary &lib = pngLibrary();
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!lib.beginReadFromMemory(&png, bytes.data(), bytes.size()))
        throw IconError(std::string("PNG: ") + png.message);
    try {
        checkImageSize(png.width, png.height);
    } catch (...) {
        lib.free(&png);
        throw;
    }
    png.format = PNG_FORMAT_RGBA;
    Image image;
    image.width = int(png.width);
    image.height = int(png.height);
    image.pixels.resize(size_t(png.width) * png.height * 4);
    if (!lib.finishRead(&png, nullptr, image.pixels.data(), 0, nullptr))
        throw IconError(std::string("PNG: ") + png.message);
    return image;
}

Image decodeWebP(std::string_view bytes)
{
    const WebPLibrary &lib = webpLibrary();
    WebPBitstreamFeatures features;
    if (lib.getFeaturesInternal(bytesOf(bytes), bytes.size(), &features, WEBP_DECODER_ABI_VERSION) !=
        VP8_STATUS_OK)
        throw IconError("WebP: not an image that can be read");
    if (features.has_animation)
        throw IconError("WebP: animated images are not read");
    checkImageSize(features.width, features.height);
    Image image;
    image.width = features.width;
    image.height = features.height;
    image.pixels.resize(size_t(image.width) * size_t(image.height) * 4);
    if (!lib.decodeRgbaInto(bytesOf(bytes), bytes.size(), image.pixels.data(), image.pixels.size(),
                            image.width * 4))
        throw IconError("WebP: image data damaged");
    return image;
}

} // namespace

std::optional<ImageSize> imageSize(std::string_view bytes)
{
    switch (formatOf(bytes)) {
    case Format::Png:
        if (const auto png = readPngHeader(bytes))
            return ImageSize{png->width, png->height};
        return std::nullopt;
    case Format::Jpeg:
        if (const auto size = jpegSize(bytes))
            return ImageSize{size->first, size->second};
        return std::nullopt;
    case Format::WebP: {
        int width = 0, height = 0;
        if (webpLibrary().getInfo(bytesOf(bytes), bytes.size(), &width, &height))
            return ImageSize{width, height};
        return std::nullopt;
    }
    case Format::Unknown:
        break;
    }
    return std::nullopt;
}

Image decodeImage(std::string_view bytes)
{
    switch (formatOf(bytes)) {
    case Format::Png:
        if (const auto png = readPngHeader(bytes); png && png->cgbi)
            return decodeCgbiPng(bytes);
        if (std::optional<Image> image = decodePlainPng(bytes))
            return std::move(*image);
        return decodePng(bytes);
    case Format::Jpeg:
        return decodeJpeg(bytes);
    case Format::WebP:
        return decodeWebP(bytes);
    case Format::Unknown:
        break;
    }
    throw IconError("not an image that can be read");
}

} // namespace thumb
