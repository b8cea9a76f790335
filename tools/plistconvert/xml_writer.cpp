#include "xml_writer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace pc {
namespace {

// Seconds from the Unix epoch to the property-list epoch, 2001-01-01.
constexpr std::int64_t kPlistEpoch = 978307200;

// Collects text and passes it on in pieces.
class Out
{
public:
    Out(const std::function<void(std::string_view)> &sink, size_t maxSize) : m_sink(sink), m_maxSize(maxSize)
    {
        m_buffer.reserve(kChunk + 4096);
    }
    ~Out() { flush(); }
    Out &operator+=(std::string_view s)
    {
        if (m_result != WriteResult::Done)
            return *this;
        m_buffer += s;
        if (m_buffer.size() >= kChunk)
            flush();
        return *this;
    }
    Out &operator+=(char c)
    {
        if (m_result != WriteResult::Done)
            return *this;
        m_buffer += c;
        // A long string is escaped a character at a time; it too goes out in pieces.
        if (m_buffer.size() >= kChunk)
            flush();
        return *this;
    }
    void append(size_t count, char c)
    {
        if (m_result == WriteResult::Done)
            m_buffer.append(count, c);
    }
    void flush()
    {
        if (m_result == WriteResult::Done && m_written + m_buffer.size() > m_maxSize)
            m_result = WriteResult::TooLarge;
        if (m_result == WriteResult::Done && !m_buffer.empty())
            m_sink(m_buffer);
        m_written += m_buffer.size();
        m_buffer.clear();
    }
    // Once stopped, the walk ends early rather than producing text nobody keeps.
    bool stopped() const { return m_result != WriteResult::Done; }
    void stop(WriteResult why)
    {
        if (m_result == WriteResult::Done)
            m_result = why;
    }
    WriteResult result()
    {
        flush();
        return m_result;
    }

private:
    static constexpr size_t kChunk = 1 << 16;
    const std::function<void(std::string_view)> &m_sink;
    const size_t m_maxSize;
    size_t m_written = 0;
    std::string m_buffer;
    WriteResult m_result = WriteResult::Done;
};

void indent(Out &out, int depth)
{
    out.append(static_cast<size_t>(depth), '\t');
}

void appendEscaped(Out &out, std::string_view s)
{
    for (const char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
}

void appendBase64Lines(Out &out, const unsigned char *data, size_t size, int depth)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    // Lines of 76 columns with a tab counted as eight, as the system's writer lays them out.
    size_t perLine = 76 - std::min<size_t>(static_cast<size_t>(depth) * 8, 60);
    perLine -= perLine % 4;
    std::string encoded;
    encoded.reserve((size + 2) / 3 * 4);
    for (size_t i = 0; i < size; i += 3) {
        const std::uint32_t b0 = data[i];
        const std::uint32_t b1 = i + 1 < size ? data[i + 1] : 0;
        const std::uint32_t b2 = i + 2 < size ? data[i + 2] : 0;
        const std::uint32_t v = b0 << 16 | b1 << 8 | b2;
        encoded += alphabet[v >> 18 & 63];
        encoded += alphabet[v >> 12 & 63];
        encoded += i + 1 < size ? alphabet[v >> 6 & 63] : '=';
        encoded += i + 2 < size ? alphabet[v & 63] : '=';
    }
    for (size_t pos = 0; pos < encoded.size(); pos += perLine) {
        indent(out, depth);
        out += std::string_view(encoded).substr(pos, perLine);
        out += '\n';
    }
}

// libplist keeps the sign of an integer out of reach of its public interface; for the
// rare values that cannot be told apart (2^63 and above, or negative) its own writer
// knows which it is.
std::string integerText(plist_t node)
{
    std::uint64_t value = 0;
    plist_get_uint_val(node, &value);
    if (value <= static_cast<std::uint64_t>(INT64_MAX))
        return std::to_string(value);
    plist_t holder = plist_new_array();
    plist_array_append_item(holder, plist_copy(node));
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(holder, &xml, &length);
    plist_free(holder);
    std::string text;
    if (xml) {
        const std::string_view s(xml, length);
        const size_t open = s.find("<integer>");
        const size_t close = s.find("</integer>");
        if (open != std::string_view::npos && close != std::string_view::npos && close > open)
            text.assign(s.substr(open + 9, close - open - 9));
        std::free(xml);
    }
    return text.empty() ? std::to_string(static_cast<std::int64_t>(value)) : text;
}

std::string realText(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "+infinity" : "-infinity";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string dateText(plist_t node)
{
    int32_t seconds = 0;
    int32_t micros = 0;
    plist_get_date_val(node, &seconds, &micros);
    const std::time_t t = static_cast<std::time_t>(kPlistEpoch + seconds);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return buffer;
}

void writeNode(Out &out, plist_t node, int depth);

void writeDict(Out &out, plist_t node, int depth)
{
    if (plist_dict_get_size(node) == 0) {
        indent(out, depth);
        out += "<dict/>\n";
        return;
    }
    indent(out, depth);
    out += "<dict>\n";
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(node, &it);
    while (!out.stopped()) {
        char *key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(node, it, &key, &value);
        if (!value) {
            std::free(key);
            break;
        }
        indent(out, depth + 1);
        out += "<key>";
        appendEscaped(out, key ? key : "");
        out += "</key>\n";
        std::free(key);
        writeNode(out, value, depth + 1);
    }
    std::free(it);
    indent(out, depth);
    out += "</dict>\n";
}

void writeArray(Out &out, plist_t node, int depth)
{
    if (plist_array_get_size(node) == 0) {
        indent(out, depth);
        out += "<array/>\n";
        return;
    }
    indent(out, depth);
    out += "<array>\n";
    plist_array_iter it = nullptr;
    plist_array_new_iter(node, &it);
    while (!out.stopped()) {
        plist_t item = nullptr;
        plist_array_next_item(node, it, &item);
        if (!item)
            break;
        writeNode(out, item, depth + 1);
    }
    std::free(it);
    indent(out, depth);
    out += "</array>\n";
}

void writeSimple(Out &out, int depth, const char *tag, std::string_view text, bool escape)
{
    indent(out, depth);
    out += '<';
    out += tag;
    out += '>';
    if (escape)
        appendEscaped(out, text);
    else
        out += text;
    out += "</";
    out += tag;
    out += ">\n";
}

void writeNode(Out &out, plist_t node, int depth)
{
    if (depth > kMaxDepth)
        out.stop(WriteResult::TooDeep);
    if (out.stopped())
        return;
    switch (plist_get_node_type(node)) {
    case PLIST_DICT:
        writeDict(out, node, depth);
        break;
    case PLIST_ARRAY:
        writeArray(out, node, depth);
        break;
    case PLIST_STRING:
    case PLIST_KEY: {
        uint64_t length = 0;
        const char *s = plist_get_string_ptr(node, &length);
        writeSimple(out, depth, "string", std::string_view(s ? s : "", s ? length : 0), true);
        break;
    }
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        indent(out, depth);
        out += value ? "<true/>\n" : "<false/>\n";
        break;
    }
    case PLIST_UINT:
        writeSimple(out, depth, "integer", integerText(node), false);
        break;
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        writeSimple(out, depth, "real", realText(value), false);
        break;
    }
    case PLIST_DATE:
        writeSimple(out, depth, "date", dateText(node), false);
        break;
    case PLIST_DATA: {
        uint64_t length = 0;
        const char *data = plist_get_data_ptr(node, &length);
        indent(out, depth);
        out += "<data>\n";
        appendBase64Lines(out, reinterpret_cast<const unsigned char *>(data), data ? length : 0, depth);
        indent(out, depth);
        out += "</data>\n";
        break;
    }
    case PLIST_UID: {
        // Keyed archives write a reference as a one-entry dictionary in XML.
        uint64_t value = 0;
        plist_get_uid_val(node, &value);
        indent(out, depth);
        out += "<dict>\n";
        writeSimple(out, depth + 1, "key", "CF$UID", false);
        writeSimple(out, depth + 1, "integer", std::to_string(value), false);
        indent(out, depth);
        out += "</dict>\n";
        break;
    }
    case PLIST_NONE:
    default:
        break;
    }
}

} // namespace

WriteResult writeAppleXml(plist_t root, const std::function<void(std::string_view)> &sink, size_t maxSize)
{
    Out out(sink, maxSize);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n";
    if (root)
        writeNode(out, root, 0);
    out += "</plist>\n";
    return out.result();
}

std::string writeResultText(WriteResult result)
{
    switch (result) {
    case WriteResult::TooLarge:
        return "the XML would be larger than " + std::to_string(kMaxOutputSize >> 20) + " MiB";
    case WriteResult::TooDeep:
        return "the list is nested more than " + std::to_string(kMaxDepth) + " levels deep";
    case WriteResult::Done:
        break;
    }
    return {};
}

} // namespace pc
