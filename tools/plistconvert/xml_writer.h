// Writes a property list in the XML form Apple's tools write.
#pragma once

#include <functional>
#include <plist/plist.h>
#include <string>
#include <string_view>

namespace pc {

// Hands the text to `sink` in pieces of some tens of kilobytes, so that a large list is
// never held twice in memory.
void writeAppleXml(plist_t root, const std::function<void(std::string_view)> &sink);

std::string toAppleXml(plist_t root);

} // namespace pc
