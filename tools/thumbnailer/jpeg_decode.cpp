#include "jpeg_decode.h"

#include "icon_error.h"
#include "image_libraries.h"

#include <csetjmp>
#include <string>

namespace thumb {

namespace {

struct ErrorExit
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void onJpegError(j_common_ptr info)
{
    ErrorExit *e = reinterpret_cast<ErrorExit *>(info->err);
    (*info->err->format_message)(info, e->message);
    std::longjmp(e->jump, 1);
}

extern "C" void onJpegMessage(j_common_ptr, int) {}

// The library reports errors by a long jump back to the setjmp of the step that called it.
// Each step is one function with nothing but plain data alive across its setjmp.
class JpegReader
{
public:
    explicit JpegReader(std::string_view bytes) : m_lib(jpegLibrary()), m_bytes(bytes)
    {
        m_info.err = m_lib.stdError(&m_error.manager);
        m_error.manager.error_exit = onJpegError;
        m_error.manager.emit_message = onJpegMessage;
        m_error.message[0] = 0;
    }
    ~JpegReader()
    {
        if (m_created)
            m_lib.destroyDecompress(&m_info);
    }
    JpegReader(const JpegReader &) = delete;
    JpegReader &operator=(const JpegReader &) = delete;

    bool readHeader()
    {
        if (setjmp(m_error.jump))
            return false;
        m_lib.createDecompress(&m_info, JPEG_LIB_VERSION, sizeof m_info);
        m_created = true;
        m_lib.memorySource(&m_info, reinterpret_cast<const unsigned char *>(m_bytes.data()),
                           static_cast<unsigned long>(m_bytes.size()));
        m_lib.readHeader(&m_info, TRUE);
        m_cmyk = m_info.jpeg_color_space == JCS_CMYK || m_info.jpeg_color_space == JCS_YCCK;
        m_info.out_color_space = m_cmyk ? JCS_CMYK : JCS_EXT_RGBA;
        return true;
    }

    // Rows of four bytes a pixel into `pixels` (RGBA, or CMYK as stored).
    bool readPixels(uint8_t *pixels, size_t rowBytes)
    {
        if (setjmp(m_error.jump))
            return false;
        m_lib.startDecompress(&m_info);
        while (m_info.output_scanline < m_info.output_height) {
            JSAMPROW row = pixels + size_t(m_info.output_scanline) * rowBytes;
            m_lib.readScanlines(&m_info, &row, 1);
        }
        m_lib.finishDecompress(&m_info);
        return true;
    }

    const jpeg_decompress_struct &info() const { return m_info; }
    bool cmyk() const { return m_cmyk; }
    std::string error() const { return std::string("JPEG: ") + m_error.message; }

private:
    const JpegLibrary &m_lib;
    std::string_view m_bytes;
    jpeg_decompress_struct m_info{};
    ErrorExit m_error{};
    bool m_created = false;
    bool m_cmyk = false;
};

} // namespace

std::optional<std::pair<int, int>> jpegSize(std::string_view bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t n = bytes.size();
    if (n < 4 || b[0] != 0xff || b[1] != 0xd8)
        return std::nullopt;
    size_t at = 2;
    while (at + 4 <= n) {
        if (b[at] != 0xff)
            return std::nullopt;
        const unsigned marker = b[at + 1];
        if (marker == 0xff) {
            ++at; // fill byte
            continue;
        }
        const size_t length = size_t(b[at + 2]) << 8 | b[at + 3];
        // Start of frame, any coding but the Huffman and arithmetic tables' markers.
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc) {
            if (at + 9 > n)
                return std::nullopt;
            return std::pair{int(b[at + 7]) << 8 | b[at + 8], int(b[at + 5]) << 8 | b[at + 6]};
        }
        if (marker == 0xd9 || marker == 0xda || length < 2)
            return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

Image decodeJpeg(std::string_view bytes)
{
    JpegReader reader(bytes);
    if (!reader.readHeader())
        throw IconError(reader.error());
    checkImageSize(reader.info().image_width, reader.info().image_height);
    Image image;
    image.width = int(reader.info().image_width);
    image.height = int(reader.info().image_height);
    image.pixels.resize(size_t(image.width) * size_t(image.height) * 4);
    if (!reader.readPixels(image.pixels.data(), size_t(image.width) * 4))
        throw IconError(reader.error());
    if (reader.cmyk()) {
        // Adobe's files store the inks inverted, as most CMYK JPEGs are written.
        const bool inverted = reader.info().saw_Adobe_marker;
        for (size_t i = 0; i < image.pixels.size(); i += 4) {
            uint8_t *p = image.pixels.data() + i;
            const unsigned k = inverted ? p[3] : 255u - p[3];
            for (int c = 0; c < 3; ++c)
                p[c] = uint8_t((inverted ? p[c] : 255u - p[c]) * k / 255);
            p[3] = 255;
        }
    }
    return image;
}

} // namespace thumb
