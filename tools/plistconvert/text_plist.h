// Old-style (text) property lists and .strings files, which libplist does not read.
#pragma once

#include "plist_ptr.h"

#include <string>
#include <string_view>

namespace pc {

// Decodes the bytes of a text list to UTF-8: UTF-8 with or without a byte-order mark,
// UTF-16 LE or BE with a mark (or, without one, recognised by the zero byte of a first
// ASCII character). Returns false with a reason for anything else.
bool decodeTextBytes(std::string_view bytes, std::string &utf8, std::string &error);

// Parses UTF-8 text holding either one value ({dict}, (array), <hex data>, "string") or
// the body of a .strings file (key = value; pairs without braces). Every leaf is a
// string, as the format knows no other type. An empty file is an empty dictionary.
// Returns null and sets `error` (with a line number) on malformed text.
PlistPtr parseTextPlist(std::string_view utf8, std::string &error);

} // namespace pc
