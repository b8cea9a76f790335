// Writes a property list in the XML form Apple's tools write.
#pragma once

#include <plist/plist.h>
#include <string>

namespace pc {

std::string toAppleXml(plist_t root);

} // namespace pc
