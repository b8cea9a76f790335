#include "xml_shape.h"

#include "plist_limits.h"

namespace pc {
namespace {

bool startsWith(std::string_view s, std::size_t at, std::string_view prefix)
{
    return s.substr(at, prefix.size()) == prefix;
}

// A character reference "&#0;" or "&#x00;".
bool refersToNul(std::string_view text)
{
    for (std::size_t pos = text.find("&#"); pos != std::string_view::npos; pos = text.find("&#", pos + 2)) {
        std::size_t i = pos + 2;
        if (i < text.size() && (text[i] == 'x' || text[i] == 'X'))
            ++i;
        const std::size_t digits = i;
        while (i < text.size() && text[i] == '0')
            ++i;
        if (i > digits && i < text.size() && text[i] == ';')
            return true;
    }
    return false;
}

} // namespace

bool checkXmlShape(std::string_view text, std::string &error)
{
    const std::string unclosed = "not a valid XML property list (a markup construct is never closed)";
    // XML has no NUL character, and libplist ends the process on a key holding one.
    if (text.find('\0') != std::string_view::npos || refersToNul(text)) {
        error = "not a valid XML property list (a NUL character)";
        return false;
    }
    std::size_t depth = 0;
    std::size_t elements = 0;
    std::size_t pos = text.find('<');
    while (pos != std::string_view::npos) {
        std::size_t end;
        if (startsWith(text, pos, "<?")) {
            end = text.find("?>", pos + 2);
            end = end == std::string_view::npos ? end : end + 2;
        } else if (startsWith(text, pos, "<!--")) {
            end = text.find("-->", pos + 4);
            end = end == std::string_view::npos ? end : end + 3;
        } else if (startsWith(text, pos, "<![CDATA[")) {
            end = text.find("]]>", pos + 9);
            end = end == std::string_view::npos ? end : end + 3;
        } else if (startsWith(text, pos, "<!")) {
            // The document type, possibly with an internal subset in brackets.
            end = text.find_first_of("[>", pos + 2);
            if (end != std::string_view::npos && text[end] == '[') {
                end = text.find("]>", end);
                end = end == std::string_view::npos ? end : end + 2;
            } else if (end != std::string_view::npos) {
                ++end;
            }
        } else {
            end = text.find_first_of("<>", pos + 1);
            if (end == std::string_view::npos || text[end] != '>') {
                error = unclosed;
                return false;
            }
            if (text[pos + 1] == '/') {
                depth -= depth > 0;
            } else {
                ++elements;
                if (text[end - 1] != '/')
                    ++depth;
            }
            ++end;
        }
        if (end == std::string_view::npos) {
            error = unclosed;
            return false;
        }
        // One level more for <plist> itself.
        if (depth > static_cast<std::size_t>(kMaxDepth) + 1) {
            error = "the list is nested more than " + std::to_string(kMaxDepth) + " levels deep";
            return false;
        }
        if (elements > kMaxObjects + 1) {
            error = "the list holds more than " + std::to_string(kMaxObjects) + " objects";
            return false;
        }
        pos = text.find('<', end);
    }
    error.clear();
    return true;
}

} // namespace pc
