// The compiled XML of AndroidManifest.xml, read into a flat list of elements. Names and values
// stay indices into the document's string pool until asked for, so a string that a thousand
// attributes refer to is decoded and held once.
#pragma once

#include "resource_table.h"

#include <string>
#include <vector>

namespace aapt {

constexpr uint32_t NoString = 0xffffffff;

struct XmlAttribute
{
    uint32_t ns = NoString;
    uint32_t name = NoString;
    uint32_t resourceId = 0; // 0 when the attribute has no entry in the resource map
    uint32_t rawString = NoString;
    ResValue value;
    bool hasRawString() const { return rawString != NoString; }
};

struct XmlElement
{
    int depth = 0; // the root element has depth 1
    uint32_t ns = NoString;
    uint32_t name = NoString;
    std::vector<XmlAttribute> attributes;
};

class XmlDocument
{
public:
    // Parses a compiled XML document; throws FormatError on anything malformed. Elements deeper
    // than keptDepth (the root is 1) are checked but left out of elements().
    explicit XmlDocument(ByteSource &src, int keptDepth = 2);

    const std::vector<XmlElement> &elements() const { return m_elements; }
    // A pool string ("" for NoString); throws FormatError when the index is outside the pool.
    const std::string &string(uint32_t index) const;
    bool nameIs(const XmlElement &e, const char *name) const { return string(e.name) == name; }

    // Finds an attribute by its resource id, or by name when the compiler left no id.
    const XmlAttribute *attribute(const XmlElement &e, uint32_t resourceId, const char *name) const;
    // An attribute without namespace, looked up by name only (such as package).
    const XmlAttribute *plainAttribute(const XmlElement &e, const char *name) const;
    // The attribute's raw string, "" when it has none.
    const std::string &rawString(const XmlAttribute &a) const { return string(a.rawString); }

private:
    StringPool m_pool;
    std::vector<XmlElement> m_elements;
};

} // namespace aapt
