// The system's image libraries, loaded when an icon first needs one. Most icons are 8-bit PNGs,
// which this program decodes itself: a run that meets no WebP, JPEG or unusual PNG then loads
// none of them, and starting is a good part of a run's time.
#pragma once

#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>
#include <png.h>
#include <webp/decode.h>

namespace thumb {

struct PngLibrary
{
    decltype(&png_image_begin_read_from_memory) beginReadFromMemory;
    decltype(&png_image_finish_read) finishRead;
    decltype(&png_image_free) free;
};

struct WebPLibrary
{
    decltype(&WebPGetFeaturesInternal) getFeaturesInternal;
    decltype(&WebPGetInfo) getInfo;
    decltype(&WebPDecodeRGBAInto) decodeRgbaInto;
};

struct JpegLibrary
{
    decltype(&jpeg_std_error) stdError;
    decltype(&jpeg_CreateDecompress) createDecompress;
    decltype(&jpeg_mem_src) memorySource;
    decltype(&jpeg_read_header) readHeader;
    decltype(&jpeg_start_decompress) startDecompress;
    decltype(&jpeg_read_scanlines) readScanlines;
    decltype(&jpeg_finish_decompress) finishDecompress;
    decltype(&jpeg_destroy_decompress) destroyDecompress;
};

// Each throws IconError when its library cannot be loaded.
const PngLibrary &pngLibrary();
const WebPLibrary &webpLibrary();
const JpegLibrary &jpegLibrary();

} // namespace thumb
