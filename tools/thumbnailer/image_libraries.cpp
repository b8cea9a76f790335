#include "image_libraries.h"

#include "icon_error.h"

#include <dlfcn.h>
#include <string>

namespace thumb {

namespace {

// The library's handle, opened once and kept for the rest of the run.
void *load(const char *soname)
{
    void *handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw IconError(std::string("cannot load ") + soname);
    return handle;
}

template <typename Function> void bind(void *handle, const char *name, Function &function)
{
    void *symbol = dlsym(handle, name);
    if (!symbol)
        throw IconError(std::string("image library without ") + name);
    function = reinterpret_cast<Function>(symbol);
}

} // namespace

const PngLibrary &pngLibrary()
{
    static const PngLibrary library = [] {
        void *h = load("libpng16.so.16");
        PngLibrary l{};
        bind(h, "png_image_begin_read_from_memory", l.beginReadFromMemory);
        bind(h, "png_image_finish_read", l.finishRead);
        bind(h, "png_image_free", l.free);
        return l;
    }();
    return library;
}

const WebPLibrary &webpLibrary()
{
    static const WebPLibrary library = [] {
        void *h = load("libwebp.so.7");
        WebPLibrary l{};
        bind(h, "WebPGetFeaturesInternal", l.getFeaturesInternal);
        bind(h, "WebPGetInfo", l.getInfo);
        bind(h, "WebPDecodeRGBAInto", l.decodeRgbaInto);
        return l;
    }();
    return library;
}

const JpegLibrary &jpegLibrary()
{
    static const JpegLibrary library = [] {
        void *h = load("libjpeg.so.62");
        JpegLibrary l{};
        bind(h, "jpeg_std_error", l.stdError);
        bind(h, "jpeg_CreateDecompress", l.createDecompress);
        bind(h, "jpeg_mem_src", l.memorySource);
        bind(h, "jpeg_read_header", l.readHeader);
        bind(h, "jpeg_start_decompress", l.startDecompress);
        bind(h, "jpeg_read_scanlines", l.readScanlines);
        bind(h, "jpeg_finish_decompress", l.finishDecompress);
        bind(h, "jpeg_destroy_decompress", l.destroyDecompress);
        return l;
    }();
    return library;
}

} // namespace thumb
