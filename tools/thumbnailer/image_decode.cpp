#include "image_decode.h"

#include "cgbi_png.h"
#include "icon_limits.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <cstring>
#include <string>

namespace thumb {

namespace {

QByteArray viewOf(std::string_view bytes)
{
    return QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
}

void checkSize(QSize s)
{
    if (!s.isValid() || s.isEmpty())
        throw IconError("not an image that can be read");
    if (s.width() > MaxImageSide || s.height() > MaxImageSide ||
        uint64_t(s.width()) * uint64_t(s.height()) * 4 > MaxImageBytes)
        throw IconError("image of implausible size " + std::to_string(s.width()) + "x" +
                        std::to_string(s.height()));
}

// The format by the first bytes. Named, the reader goes straight to its handler; left to guess,
// it would load and ask every image plugin first.
QByteArray formatOf(std::string_view bytes)
{
    if (bytes.size() >= 8 && bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8))
        return "png";
    if (bytes.size() >= 3 && bytes.substr(0, 3) == std::string_view("\xff\xd8\xff", 3))
        return "jpeg";
    if (bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "WEBP")
        return "webp";
    return {};
}

} // namespace

QSize imageSize(std::string_view bytes)
{
    if (const auto png = readPngHeader(bytes); png && png->cgbi)
        return QSize(int(std::min<uint32_t>(png->width, INT32_MAX)),
                     int(std::min<uint32_t>(png->height, INT32_MAX)));
    QByteArray data = viewOf(bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formatOf(bytes));
    reader.setAutoDetectImageFormat(reader.format().isEmpty());
    return reader.size();
}

QImage decodeImage(std::string_view bytes)
{
    if (const auto png = readPngHeader(bytes); png && png->cgbi) {
        RgbaImage rgba = decodeCgbiPng(bytes);
        QImage image(int(rgba.width), int(rgba.height), QImage::Format_RGBA8888);
        if (image.isNull())
            throw IconError("out of memory");
        for (uint32_t y = 0; y < rgba.height; ++y)
            std::memcpy(image.scanLine(int(y)), rgba.pixels.data() + size_t(y) * rgba.width * 4,
                        size_t(rgba.width) * 4);
        return image;
    }
    QByteArray data = viewOf(bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formatOf(bytes));
    reader.setAutoDetectImageFormat(reader.format().isEmpty());
    reader.setAllocationLimit(int(MaxImageBytes >> 20));
    checkSize(reader.size());
    QImage image = reader.read();
    if (image.isNull())
        throw IconError("image cannot be decoded: " + reader.errorString().toStdString());
    checkSize(image.size());
    return image;
}

QImage fitted(const QImage &image, int size)
{
    if (image.width() <= size && image.height() <= size)
        return image;
    return image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace thumb
