// Writes a property list in the XML form Apple's tools write.
#pragma once

#include "plist_limits.h"

#include <functional>
#include <plist/plist.h>
#include <string>
#include <string_view>

namespace pc {

enum class WriteResult { Done, TooLarge, TooDeep };

// Hands the text to `sink` in pieces of some tens of kilobytes, so that a large list is
// never held twice in memory. Stops as soon as the text would pass `maxSize` bytes or the
// tree nests deeper than kMaxDepth; what was handed over by then is to be thrown away.
WriteResult writeAppleXml(plist_t root, const std::function<void(std::string_view)> &sink,
                          std::size_t maxSize = kMaxOutputSize);

// Why a write stopped, for a message.
std::string writeResultText(WriteResult result);

} // namespace pc
