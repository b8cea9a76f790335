#include "binary_shape.h"

#include "plist_limits.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pc {
namespace {

constexpr std::size_t kHeaderSize = 8; // "bplist00"
constexpr std::size_t kTrailerSize = 32;

std::uint64_t bigEndian(std::string_view bytes, std::size_t at, std::size_t width)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b)
{
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

// The parts of one object that matter here: what it refers to and how much text it adds.
struct ObjectInfo
{
    int type = 0;               // the high four bits of the marker
    std::size_t refsAt = 0;     // offset of the first reference
    std::uint64_t refCount = 0; // keys and values together for a dictionary
    std::size_t dataAt = 0;     // offset of a string's or data object's bytes
    std::uint64_t payload = 0;  // bytes or characters of a string or data object
};

class Table
{
public:
    explicit Table(std::string_view bytes) : m_b(bytes) {}

    bool readTrailer(std::string &error);
    bool readObject(std::uint64_t index, ObjectInfo &info, std::string &error) const;
    std::uint64_t ref(const ObjectInfo &info, std::uint64_t k) const
    {
        return bigEndian(m_b, info.refsAt + k * m_refSize, m_refSize);
    }
    bool keyHoldsNul(std::uint64_t index) const;
    std::uint64_t objectCount() const { return m_objects; }
    std::uint64_t root() const { return m_root; }

private:
    std::string_view m_b;
    std::size_t m_offsetSize = 0;
    std::size_t m_refSize = 0;
    std::uint64_t m_objects = 0;
    std::uint64_t m_root = 0;
    std::uint64_t m_table = 0;
};

bool Table::readTrailer(std::string &error)
{
    error = "not a valid binary property list";
    if (m_b.size() < kHeaderSize + kTrailerSize + 1)
        return false;
    const std::size_t trailer = m_b.size() - kTrailerSize;
    m_offsetSize = static_cast<unsigned char>(m_b[trailer + 6]);
    m_refSize = static_cast<unsigned char>(m_b[trailer + 7]);
    m_objects = bigEndian(m_b, trailer + 8, 8);
    m_root = bigEndian(m_b, trailer + 16, 8);
    m_table = bigEndian(m_b, trailer + 24, 8);
    if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8 || m_objects == 0 ||
        m_root >= m_objects || m_table < kHeaderSize || m_table >= trailer)
        return false;
    if (m_objects > (trailer - m_table) / m_offsetSize)
        return false;
    if (m_objects > kMaxObjects) {
        error = "the list holds more than " + std::to_string(kMaxObjects) + " objects";
        return false;
    }
    error.clear();
    return true;
}

bool Table::readObject(std::uint64_t index, ObjectInfo &info, std::string &error) const
{
    info = ObjectInfo();
    error = "not a valid binary property list";
    const std::uint64_t offset = bigEndian(m_b, m_table + index * m_offsetSize, m_offsetSize);
    if (offset < kHeaderSize || offset >= m_table)
        return false;
    const auto marker = static_cast<unsigned char>(m_b[offset]);
    const int type = marker >> 4;
    info.type = type;
    // Only strings, data and containers carry a length; the rest are fixed in size.
    if (type != 0x4 && type != 0x5 && type != 0x6 && type != 0x7 && type != 0xA && type != 0xC &&
        type != 0xD) {
        error.clear();
        return true;
    }
    std::uint64_t count = marker & 0x0F;
    std::size_t at = offset + 1;
    if (count == 0x0F) {
        // The length follows as an integer object of 1, 2, 4 or 8 bytes.
        if (at >= m_table)
            return false;
        const auto intMarker = static_cast<unsigned char>(m_b[at]);
        const std::size_t width = std::size_t(1) << (intMarker & 0x0F);
        if ((intMarker >> 4) != 0x1 || width > 8 || at + 1 + width > m_table)
            return false;
        count = bigEndian(m_b, at + 1, width);
        at += 1 + width;
    }
    if (type == 0xA || type == 0xC || type == 0xD) {
        const std::uint64_t refs = type == 0xD ? count * 2 : count;
        if ((type == 0xD && count > UINT64_MAX / 2) || refs > (m_table - at) / m_refSize)
            return false;
        info.refsAt = at;
        info.refCount = refs;
        for (std::uint64_t k = 0; k < refs; ++k) {
            if (ref(info, k) >= m_objects)
                return false;
        }
    } else {
        const std::uint64_t unit = type == 0x6 ? 2 : 1; // UTF-16 or single bytes
        if (count > (m_table - at) / unit)
            return false;
        info.dataAt = at;
        info.payload = count;
    }
    error.clear();
    return true;
}

// libplist asserts that a key has no NUL inside, and so ends the process on one.
bool Table::keyHoldsNul(std::uint64_t index) const
{
    ObjectInfo info;
    std::string error;
    if (!readObject(index, info, error))
        return false; // reported when the object itself is reached
    const std::string_view data = m_b.substr(info.dataAt, info.payload * (info.type == 0x6 ? 2 : 1));
    if (info.type == 0x5 || info.type == 0x7)
        return data.find('\0') != std::string_view::npos;
    if (info.type == 0x6) {
        for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
            if (data[i] == '\0' && data[i + 1] == '\0')
                return true;
        }
    }
    return false;
}

// What the tree below one object amounts to once written out.
struct Expanded
{
    std::uint64_t objects = 0;
    std::uint64_t payload = 0;
};

enum class Mark : std::uint8_t { New, Open, Done };

} // namespace

bool checkBinaryShape(std::string_view bytes, std::string &error)
{
    Table table(bytes);
    if (!table.readTrailer(error))
        return false;
    std::vector<Mark> mark(table.objectCount(), Mark::New);
    std::vector<Expanded> expanded(table.objectCount());

    // Depth-first over the object graph; each object is measured once and its measure
    // reused wherever it is referred to again.
    struct Frame
    {
        std::uint64_t index;
        ObjectInfo info;
        std::uint64_t next = 0;
        Expanded sum;
    };
    std::vector<Frame> stack;
    auto enter = [&](std::uint64_t index) {
        if (stack.size() >= static_cast<std::size_t>(kMaxDepth)) {
            error = "the list is nested more than " + std::to_string(kMaxDepth) + " levels deep";
            return false;
        }
        Frame frame{index, {}, 0, {}};
        if (!table.readObject(index, frame.info, error))
            return false;
        frame.sum = {1, frame.info.payload};
        if (frame.info.type == 0xD) {
            for (std::uint64_t k = 0; k < frame.info.refCount / 2; ++k) {
                if (table.keyHoldsNul(table.ref(frame.info, k))) {
                    error = "not a valid binary property list (a dictionary key holds a NUL character)";
                    return false;
                }
            }
        }
        mark[index] = Mark::Open;
        stack.push_back(frame);
        return true;
    };
    if (!enter(table.root()))
        return false;
    while (!stack.empty()) {
        Frame &top = stack.back();
        if (top.next < top.info.refCount) {
            const std::uint64_t child = table.ref(top.info, top.next++);
            if (mark[child] == Mark::Open) {
                error = "not a valid binary property list (an object contains itself)";
                return false;
            }
            if (mark[child] == Mark::New) {
                if (!enter(child))
                    return false;
                continue;
            }
            top.sum.objects = saturatingAdd(top.sum.objects, expanded[child].objects);
            top.sum.payload = saturatingAdd(top.sum.payload, expanded[child].payload);
        } else {
            const Frame done = top;
            stack.pop_back();
            if (done.sum.objects > kMaxObjects) {
                error = "the list expands to more than " + std::to_string(kMaxObjects) + " objects";
                return false;
            }
            // Every string and data byte is written at least once.
            if (done.sum.payload > kMaxOutputSize) {
                error =
                    "the list expands to more than " + std::to_string(kMaxOutputSize >> 20) + " MiB of text";
                return false;
            }
            mark[done.index] = Mark::Done;
            expanded[done.index] = done.sum;
            if (!stack.empty()) {
                Frame &parent = stack.back();
                parent.sum.objects = saturatingAdd(parent.sum.objects, done.sum.objects);
                parent.sum.payload = saturatingAdd(parent.sum.payload, done.sum.payload);
            }
        }
    }
    error.clear();
    return true;
}

} // namespace pc
