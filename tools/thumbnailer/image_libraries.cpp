#include "image_libraries.h"

#include "shared_library.h"

namespace thumb {

namespace {

template <typename Function> void bind(void *handle, const char *soname, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(librarySymbol(handle, soname, name));
}

} // namespace

const PngLibrary &pngLibrary()
{
    static const PngLibrary library = [] {
        constexpr const char *so = "libpng16.so.16";
        void *h = openLibrary(so);
        PngLibrary l{};
        bind(h, so, "png_image_begin_read_from_memory", l.beginReadFromMemory);
        bind(h, so, "png_image_finish_read", l.finishRead);
        bind(h, so, "png_image_free", l.free);
        return l;
    }();
    return library;
}

const WebPLibrary &webpLibrary()
{
    static const WebPLibrary library = [] {
        constexpr const char *so = "libwebp.so.7";
        void *h = openLibrary(so);
        WebPLibrary l{};
        bind(h, so, "WebPGetFeaturesInternal", l.getFeaturesInternal);
        bind(h, so, "WebPGetInfo", l.getInfo);
        bind(h, so, "WebPDecodeRGBAInto", l.decodeRgbaInto);
        return l;
    }();
    return library;
}

const JpegLibrary &jpegLibrary()
{
    static const JpegLibrary library = [] {
        constexpr const char *so = "libjpeg.so.62";
        void *h = openLibrary(so);
        JpegLibrary l{};
        bind(h, so, "jpeg_std_error", l.stdError);
        bind(h, so, "jpeg_CreateDecompress", l.createDecompress);
        bind(h, so, "jpeg_mem_src", l.memorySource);
        bind(h, so, "jpeg_read_header", l.readHeader);
        bind(h, so, "jpeg_start_decompress", l.startDecompress);
        bind(h, so, "jpeg_read_scanlines", l.readScanlines);
        bind(h, so, "jpeg_finish_decompress", l.finishDecompress);
        bind(h, so, "jpeg_destroy_decompress", l.destroyDecompress);
        return l;
    }();
    return library;
}

} // namespace thumb
