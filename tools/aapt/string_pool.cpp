#include "string_pool.h"

#include <bit>

namespace aapt {

Chunk readChunk(ByteSource &src, uint64_t offset, uint64_t limit, const char *what)
{
    if (offset > limit || limit - offset < 8)
        throw FormatError(std::string(what) + ": chunk header outside its container");
    Chunk c;
    c.offset = offset;
    c.type = src.u16(offset);
    c.headerSize = src.u16(offset + 2);
    c.size = src.u32(offset + 4);
    if (c.headerSize < 8 || c.headerSize > c.size || c.size > limit - offset)
        throw FormatError(std::string(what) + ": chunk size points outside its container");
    return c;
}

StringPool::StringPool(ByteSource &src, const Chunk &chunk) : m_src(&src)
{
    if (chunk.type != ChunkStringPool || chunk.headerSize < 28)
        throw FormatError("string pool: bad header");
    m_count = src.u32(chunk.offset + 8);
    const uint32_t flags = src.u32(chunk.offset + 16);
    const uint32_t stringsStart = src.u32(chunk.offset + 20);
    m_utf8 = flags & 0x100;
    m_offsets = chunk.offset + chunk.headerSize;
    m_end = chunk.end();
    if (uint64_t(m_count) * 4 > m_end - m_offsets)
        throw FormatError("string pool: string count exceeds the pool");
    if (m_count && (stringsStart < chunk.headerSize || stringsStart >= chunk.size))
        throw FormatError("string pool: strings start outside the pool");
    m_strings = chunk.offset + stringsStart;
}

const std::string &StringPool::at(uint32_t index) const
{
    const auto known = m_decoded.find(index);
    if (known != m_decoded.end())
        return known->second;
    return m_decoded.emplace(index, decode(index)).first->second;
}

std::string StringPool::decode(uint32_t index) const
{
    if (!m_src || index >= m_count)
        throw FormatError("string index " + std::to_string(index) + " outside the string pool");
    uint64_t pos = m_strings + m_src->u32(m_offsets + 4ull * index);
    auto need = [&](uint64_t n) {
        if (pos > m_end || n > m_end - pos)
            throw FormatError("string " + std::to_string(index) + " runs past its pool");
    };
    if (m_utf8) {
        // Two lengths: in UTF-16 units (unused here) and in bytes, each one or two bytes long,
        // so a UTF-8 string never exceeds 32767 bytes.
        auto length = [&]() -> uint32_t {
            need(1);
            uint32_t n = m_src->u8(pos++);
            if (n & 0x80) {
                need(1);
                n = (n & 0x7f) << 8 | m_src->u8(pos++);
            }
            return n;
        };
        length();
        const uint32_t bytes = length();
        need(bytes);
        std::string out(bytes, '\0');
        m_src->read(pos, out.data(), bytes);
        return cleanUtf8(out);
    }
    need(2);
    uint32_t units = m_src->u16(pos);
    pos += 2;
    if (units & 0x8000) {
        need(2);
        units = (units & 0x7fff) << 16 | m_src->u16(pos);
        pos += 2;
    }
    if (units > MaxStringUnits)
        throw FormatError("string " + std::to_string(index) + " is implausibly long (" +
                          std::to_string(units) + " characters)");
    need(uint64_t(units) * 2);
    std::u16string text(units, u'\0');
    m_src->read(pos, text.data(), size_t(units) * 2);
    if constexpr (std::endian::native == std::endian::big)
        for (char16_t &c : text)
            c = char16_t(c >> 8 | c << 8);
    return utf16ToUtf8(text);
}

namespace {

void appendCodePoint(std::string &out, uint32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xc0 | cp >> 6);
        out += char(0x80 | (cp & 0x3f));
    } else if (cp < 0x10000) {
        out += char(0xe0 | cp >> 12);
        out += char(0x80 | (cp >> 6 & 0x3f));
        out += char(0x80 | (cp & 0x3f));
    } else {
        out += char(0xf0 | cp >> 18);
        out += char(0x80 | (cp >> 12 & 0x3f));
        out += char(0x80 | (cp >> 6 & 0x3f));
        out += char(0x80 | (cp & 0x3f));
    }
}

} // namespace

std::string utf16ToUtf8(const std::u16string &text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xd800 && c < 0xdc00 && i + 1 < text.size() && text[i + 1] >= 0xdc00 &&
            text[i + 1] < 0xe000) {
            c = 0x10000 + ((c - 0xd800) << 10) + (text[i + 1] - 0xdc00);
            ++i;
        } else if (c >= 0xd800 && c < 0xe000) {
            c = 0xfffd;
        }
        appendCodePoint(out, c);
    }
    return out;
}

std::string cleanUtf8(const std::string &text)
{
    // Decode to UTF-16 units first so that surrogate halves written as separate sequences pair up.
    std::u16string units;
    units.reserve(text.size());
    const auto *s = reinterpret_cast<const uint8_t *>(text.data());
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        const uint8_t b = s[i];
        uint32_t cp;
        size_t len;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xe0) == 0xc0) {
            cp = b & 0x1f;
            len = 2;
        } else if ((b & 0xf0) == 0xe0) {
            cp = b & 0x0f;
            len = 3;
        } else if ((b & 0xf8) == 0xf0) {
            cp = b & 0x07;
            len = 4;
        } else {
            units += u'\xfffd';
            ++i;
            continue;
        }
        bool ok = i + len <= n;
        for (size_t k = 1; ok && k < len; ++k) {
            if ((s[i + k] & 0xc0) != 0x80)
                ok = false;
            else
                cp = cp << 6 | (s[i + k] & 0x3f);
        }
        static const uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!ok || cp < minimum[len] || cp > 0x10ffff) {
            units += u'\xfffd';
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            units += char16_t(0xd800 + ((cp - 0x10000) >> 10));
            units += char16_t(0xdc00 + ((cp - 0x10000) & 0x3ff));
        } else {
            units += char16_t(cp);
        }
        i += len;
    }
    return utf16ToUtf8(units);
}

} // namespace aapt
