// Reading any kind of property list, and replacing a file in one step.
#pragma once

#include "plist_ptr.h"

#include <string>
#include <string_view>

namespace pc {

// Lists larger than this are refused rather than read into memory.
constexpr std::size_t kMaxInputSize = 256u << 20;

// Binary and XML lists go through libplist; anything else is taken for a text list.
PlistPtr parsePropertyList(std::string_view bytes, std::string &error);

bool readFile(const std::string &path, std::string &bytes, std::string &error);

// Writes beside `path` and renames over it, so that readers never see a half-written
// file and a failure leaves any earlier file as it was.
bool replaceFile(const std::string &path, std::string_view data, std::string &error);

} // namespace pc
