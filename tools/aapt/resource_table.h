// The compiled resource table (resources.arsc). Opening it reads only chunk headers and
// configurations; values are looked up on request.
#pragma once

#include "res_config.h"
#include "string_pool.h"

#include <map>
#include <optional>
#include <set>
#include <vector>

namespace aapt {

// A typed value as stored in the manifest and the table.
struct ResValue
{
    enum Type : uint8_t {
        Null = 0x00,
        Reference = 0x01,
        String = 0x03,
        IntDec = 0x10,
        IntHex = 0x11,
        IntBoolean = 0x12,
    };
    uint8_t type = Null;
    uint32_t data = 0;
    bool isInteger() const { return type >= 0x10 && type <= 0x1f; }
};

class ResourceTable
{
public:
    // An empty table: a package may come without resources.
    ResourceTable() = default;
    explicit ResourceTable(ByteSource &src);

    // The value of a resource for a device configuration, or nothing when the package defines
    // no matching value. Bags (styles, arrays) are not values and give nothing either.
    std::optional<ResValue> lookup(uint32_t id, const ResConfig &request);
    // Follows references until a plain value; throws FormatError on a loop or an endless chain.
    // Every configuration a look-up weighs counts against one budget for the whole report, so
    // a table built to multiply the look-ups is refused instead of keeping the reader busy for
    // minutes.
    std::optional<ResValue> resolve(ResValue value, const ResConfig &request);

    const std::string &string(uint32_t index) const { return m_strings.at(index); }
    // The file path of a resource, e.g. res/drawable-hdpi/icon.png, or "" when it has none.
    std::string resolveString(ResValue value, const ResConfig &request);

    // Every locale tag that some value is given for ("" for the default), sorted.
    const std::set<std::string> &locales() const { return m_locales; }
    // Every density that some value is given for, the default counting as medium (160).
    const std::set<int> &densities() const { return m_densities; }

private:
    struct TypeChunk
    {
        uint64_t offset;
        uint64_t end;
        uint64_t entries;
        uint32_t headerSize;
        uint32_t entryCount;
        uint8_t packageId;
        uint8_t typeId;
        bool sparse;
        ResConfig config;
    };

    void readPackage(const Chunk &chunk);
    std::optional<ResValue> entryValue(const TypeChunk &type, uint32_t entry);

    ByteSource *m_src = nullptr;
    StringPool m_strings;
    // Type chunks by package and type id: a look-up only visits the chunks of its own type.
    std::map<uint16_t, std::vector<TypeChunk>> m_types;
    std::set<std::string> m_locales;
    std::set<int> m_densities;
    size_t m_typeCount = 0;
    uint64_t m_work = 0;
};

} // namespace aapt
