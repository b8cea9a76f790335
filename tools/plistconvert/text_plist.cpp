#include "text_plist.h"

#include "plist_limits.h"

#include <cstdint>

namespace pc {
namespace {

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool validUtf8(std::string_view s)
{
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra;
        char32_t cp;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(extra) >= s.size())
            return false;
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += extra + 1;
    }
    return true;
}

bool decodeUtf16(std::string_view bytes, bool bigEndian, std::string &utf8, std::string &error)
{
    if (bytes.size() % 2 != 0) {
        error = "UTF-16 text with an odd number of bytes";
        return false;
    }
    auto unit = [&](size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (char32_t(a) << 8 | b) : (char32_t(b) << 8 | a);
    };
    utf8.clear();
    utf8.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); i += 2) {
        char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 2 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(utf8, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF) {
            error = "UTF-16 text with an unpaired surrogate at byte " + std::to_string(i);
            return false;
        }
        appendUtf8(utf8, u);
    }
    return true;
}

bool isUnquotedChar(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || c == '+' || c == '/' || c == ':' || c == '.' || c == '-';
}

int hexValue(char32_t c)
{
    if (c >= '0' && c <= '9')
        return int(c - '0');
    if (c >= 'a' && c <= 'f')
        return int(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return int(c - 'A' + 10);
    return -1;
}

// Works on bytes of UTF-8: every character with a meaning here is ASCII, and multi-byte
// characters only ever appear inside strings, where they are copied as they stand.
class Parser
{
public:
    Parser(std::string_view text, std::string &error) : m_s(text), m_error(error) {}

    PlistPtr parseDocument();

private:
    bool atEnd() const { return m_pos >= m_s.size(); }
    char peek() const { return atEnd() ? '\0' : m_s[m_pos]; }
    bool skipSpace();
    PlistPtr parseValue();
    PlistPtr parseDictBody(bool braced);
    PlistPtr parseArray();
    PlistPtr parseData();
    bool parseString(std::string &out);
    bool parseQuoted(std::string &out);
    PlistPtr fail(const std::string &what, size_t at);
    PlistPtr fail(const std::string &what) { return fail(what, m_pos); }
    std::string describeHere() const;
    bool countValue();

    std::string_view m_s;
    size_t m_pos = 0;
    std::string &m_error;
    int m_depth = 0;
    std::size_t m_values = 0;
};

PlistPtr Parser::fail(const std::string &what, size_t at)
{
    if (m_error.empty()) {
        int line = 1;
        for (size_t i = 0; i < at && i < m_s.size(); ++i)
            line += m_s[i] == '\n';
        m_error = "line " + std::to_string(line) + ": " + what;
    }
    return nullptr;
}

bool Parser::countValue()
{
    if (++m_values <= kMaxObjects)
        return true;
    fail("more than " + std::to_string(kMaxObjects) + " values");
    return false;
}

std::string Parser::describeHere() const
{
    if (atEnd())
        return "the end of the text";
    const char c = peek();
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x80)
        return "an unexpected character";
    return std::string("'") + c + "'";
}

bool Parser::skipSpace()
{
    while (!atEnd()) {
        const char c = peek();
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            ++m_pos;
        } else if (c == '/' && m_pos + 1 < m_s.size() && m_s[m_pos + 1] == '/') {
            const size_t end = m_s.find('\n', m_pos);
            m_pos = end == std::string_view::npos ? m_s.size() : end + 1;
        } else if (c == '/' && m_pos + 1 < m_s.size() && m_s[m_pos + 1] == '*') {
            const size_t end = m_s.find("*/", m_pos + 2);
            if (end == std::string_view::npos) {
                fail("unterminated comment");
                return false;
            }
            m_pos = end + 2;
        } else if (m_pos == 0 && m_s.substr(0, 3) == "\xEF\xBB\xBF") {
            m_pos = 3;
        } else {
            break;
        }
    }
    return true;
}

PlistPtr Parser::parseDocument()
{
    if (!skipSpace())
        return nullptr;
    if (atEnd())
        return PlistPtr(plist_new_dict());
    const char c = peek();
    PlistPtr root;
    if (c == '{' || c == '(' || c == '<') {
        root = parseValue();
    } else {
        // A string first: either a lone string, or the first key of a .strings body.
        const size_t start = m_pos;
        std::string first;
        if (!parseString(first) || !skipSpace())
            return nullptr;
        if (atEnd())
            return PlistPtr(plist_new_string(first.c_str()));
        if (peek() != '=' && peek() != ';')
            return fail("expected '=' or ';' but found " + describeHere());
        m_pos = start;
        root = parseDictBody(false);
    }
    if (!root || !skipSpace())
        return nullptr;
    if (!atEnd())
        return fail("unexpected " + describeHere() + " after the end of the list");
    return root;
}

PlistPtr Parser::parseValue()
{
    if (!skipSpace())
        return nullptr;
    // Deep nesting would only exhaust the stack.
    if (m_depth > kMaxDepth)
        return fail("nested too deeply");
    if (!countValue())
        return nullptr;
    switch (peek()) {
    case '{': {
        ++m_pos;
        ++m_depth;
        PlistPtr dict = parseDictBody(true);
        --m_depth;
        return dict;
    }
    case '(': {
        ++m_depth;
        PlistPtr array = parseArray();
        --m_depth;
        return array;
    }
    case '<':
        return parseData();
    default: {
        std::string s;
        if (!parseString(s))
            return nullptr;
        return PlistPtr(plist_new_string(s.c_str()));
    }
    }
}

PlistPtr Parser::parseDictBody(bool braced)
{
    const size_t open = m_pos;
    PlistPtr dict(plist_new_dict());
    for (;;) {
        if (!skipSpace())
            return nullptr;
        if (braced && peek() == '}') {
            ++m_pos;
            return dict;
        }
        if (atEnd()) {
            if (braced)
                return fail("'{' is never closed", open);
            return dict;
        }
        std::string key;
        if (!countValue() || !parseString(key) || !skipSpace())
            return nullptr;
        PlistPtr value;
        if (peek() == ';') {
            // "key"; in a .strings file stands for "key" = "key";
            if (!countValue())
                return nullptr;
            value.reset(plist_new_string(key.c_str()));
        } else {
            if (peek() != '=')
                return fail("expected '=' after the key \"" + key + "\" but found " + describeHere());
            ++m_pos;
            value = parseValue();
            if (!value || !skipSpace())
                return nullptr;
        }
        if (peek() == ';')
            ++m_pos;
        else if (!(braced && peek() == '}') && !(!braced && atEnd()))
            return fail("expected ';' after the value of \"" + key + "\" but found " + describeHere());
        // A later entry with the same key wins, as in the system's own reader.
        plist_dict_set_item(dict.get(), key.c_str(), value.release());
    }
}

PlistPtr Parser::parseArray()
{
    const size_t open = m_pos++;
    PlistPtr array(plist_new_array());
    bool needSeparator = false;
    for (;;) {
        if (!skipSpace())
            return nullptr;
        if (atEnd())
            return fail("'(' is never closed", open);
        if (peek() == ')') {
            ++m_pos;
            return array;
        }
        if (peek() == ',') {
            if (!needSeparator)
                return fail("unexpected ','");
            ++m_pos;
            needSeparator = false;
            continue;
        }
        if (needSeparator)
            return fail("expected ',' or ')' but found " + describeHere());
        PlistPtr value = parseValue();
        if (!value)
            return nullptr;
        plist_array_append_item(array.get(), value.release());
        needSeparator = true;
    }
}

PlistPtr Parser::parseData()
{
    const size_t open = m_pos++;
    std::string bytes;
    int high = -1;
    for (;;) {
        if (atEnd())
            return fail("'<' is never closed", open);
        const char c = m_s[m_pos++];
        if (c == '>')
            break;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            continue;
        const int v = hexValue(static_cast<unsigned char>(c));
        if (v < 0)
            return fail("data may hold only hexadecimal digits", m_pos - 1);
        if (high < 0) {
            high = v;
        } else {
            bytes += static_cast<char>(high << 4 | v);
            high = -1;
        }
    }
    if (high >= 0)
        return fail("data with an odd number of hexadecimal digits", open);
    return PlistPtr(plist_new_data(bytes.data(), bytes.size()));
}

bool Parser::parseString(std::string &out)
{
    out.clear();
    const char c = peek();
    if (c == '"' || c == '\'')
        return parseQuoted(out);
    const size_t start = m_pos;
    while (!atEnd() && isUnquotedChar(static_cast<unsigned char>(peek())))
        ++m_pos;
    if (m_pos == start) {
        fail("expected a string but found " + describeHere());
        return false;
    }
    out.assign(m_s.substr(start, m_pos - start));
    return true;
}

bool Parser::parseQuoted(std::string &out)
{
    const size_t open = m_pos;
    const char quote = m_s[m_pos++];
    char32_t pendingHigh = 0; // a high surrogate from \U, waiting for its partner
    auto flushHigh = [&] {
        if (pendingHigh)
            appendUtf8(out, 0xFFFD);
        pendingHigh = 0;
    };
    for (;;) {
        if (atEnd()) {
            fail("unterminated string", open);
            return false;
        }
        const char c = m_s[m_pos++];
        if (c == quote) {
            flushHigh();
            return true;
        }
        if (c != '\\') {
            flushHigh();
            out += c;
            continue;
        }
        if (atEnd())
            continue; // reported as unterminated above
        const char e = m_s[m_pos++];
        if (e == 'U' || e == 'u') {
            char32_t cp = 0;
            int digits = 0;
            while (digits < 4 && !atEnd() && hexValue(static_cast<unsigned char>(peek())) >= 0) {
                cp = cp << 4 | char32_t(hexValue(static_cast<unsigned char>(m_s[m_pos++])));
                ++digits;
            }
            if (digits == 0) {
                flushHigh();
                out += e;
            } else if (cp >= 0xD800 && cp <= 0xDBFF) {
                flushHigh();
                pendingHigh = cp;
            } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                appendUtf8(out,
                           pendingHigh ? 0x10000 + ((pendingHigh - 0xD800) << 10) + (cp - 0xDC00) : 0xFFFD);
                pendingHigh = 0;
            } else {
                flushHigh();
                appendUtf8(out, cp);
            }
            continue;
        }
        flushHigh();
        if (e >= '0' && e <= '7') {
            // Octal escapes name a byte; above 127 it is taken as Latin-1.
            char32_t v = char32_t(e - '0');
            for (int k = 0; k < 2 && !atEnd() && peek() >= '0' && peek() <= '7'; ++k)
                v = v * 8 + char32_t(m_s[m_pos++] - '0');
            appendUtf8(out, v & 0xFF);
            continue;
        }
        switch (e) {
        case 'a':
            out += '\a';
            break;
        case 'b':
            out += '\b';
            break;
        case 'f':
            out += '\f';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'v':
            out += '\v';
            break;
        default:
            out += e; // \" \' \\ and any other character stand for themselves
            break;
        }
    }
}

} // namespace

bool decodeTextBytes(std::string_view bytes, std::string &utf8, std::string &error)
{
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return decodeUtf16(bytes.substr(2), false, utf8, error);
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return decodeUtf16(bytes.substr(2), true, utf8, error);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    else if (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0'))
        return decodeUtf16(bytes, bytes[0] == '\0', utf8, error);
    if (!validUtf8(bytes)) {
        error = "the text is neither UTF-8 nor UTF-16 with a byte-order mark";
        return false;
    }
    utf8.assign(bytes);
    return true;
}

PlistPtr parseTextPlist(std::string_view utf8, std::string &error)
{
    error.clear();
    return Parser(utf8, error).parseDocument();
}

} // namespace pc
