// The compiled XML of AndroidManifest.xml, read into a flat list of elements.
#pragma once

#include "resource_table.h"

#include <string>
#include <vector>

namespace aapt {

struct XmlAttribute
{
    std::string ns;
    std::string name;
    uint32_t resourceId = 0; // 0 when the attribute has no entry in the resource map
    bool hasRawString = false;
    std::string rawString;
    ResValue value;
};

struct XmlElement
{
    int depth = 0; // the root element has depth 1
    std::string ns;
    std::string name;
    std::vector<XmlAttribute> attributes;

    // Finds an attribute by its resource id, or by name when the compiler left no id.
    const XmlAttribute *attribute(uint32_t resourceId, const char *name) const;
    // An attribute without namespace, looked up by name only (such as package).
    const XmlAttribute *plainAttribute(const char *name) const;
};

// Parses a compiled XML document; throws FormatError on anything malformed.
std::vector<XmlElement> parseBinaryXml(ByteSource &src);

} // namespace aapt
