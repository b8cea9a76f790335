// A look at an XML property list's nesting before libplist builds the tree.
#pragma once

#include <string>
#include <string_view>

namespace pc {

// Counts the elements of XML text and how deeply they nest, skipping declarations,
// comments, CDATA sections and the document type as an XML reader does, and checks both
// against the bounds of plist_limits.h. The counts are upper bounds of what libplist will build.
// Returns false with a reason when they are exceeded or a construct is never closed.
bool checkXmlShape(std::string_view text, std::string &error);

} // namespace pc
