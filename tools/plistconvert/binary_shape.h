// A look at a binary property list's object table before libplist builds the tree.
#pragma once

#include <string>
#include <string_view>

namespace pc {

// Checks that `bytes` ("bplist00...") is a well-formed object table whose tree, with every
// shared object expanded as libplist expands it, stays within the depth, object and size
// bounds of plist_limits.h, and that no object contains itself. Walks the table without
// recursion. Returns false with a reason otherwise.
bool checkBinaryShape(std::string_view bytes, std::string &error);

} // namespace pc
