// Ownership of libplist nodes.
#pragma once

#include <memory>
#include <plist/plist.h>

namespace pc {

struct PlistFree
{
    void operator()(void *node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

} // namespace pc
