// The bytes of a package and of its members. A package file is mapped, not read: a stored member
// (the resource table of most packages, the base APK of a bundle) is a view onto the mapping, so
// only the pages the report touches are ever read; a compressed member is inflated into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace aapt {

// Every malformed input ends in this error; the message names what was wrong.
class FormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Well-formed input the tool will not read: an encrypted member, or one beyond the size limits.
// Unlike other damage it is never passed over while looking for something else.
class RefusedError : public FormatError
{
public:
    using FormatError::FormatError;
};

// A contiguous range of bytes held in memory or mapped from a file.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    ByteSource(const ByteSource &) = delete;
    ByteSource &operator=(const ByteSource &) = delete;

    uint64_t size() const { return m_size; }
    const uint8_t *data() const { return m_data; }
    // Fills out with len bytes from offset; throws FormatError when the range leaves the source.
    void read(uint64_t offset, void *out, size_t len) const;
    uint8_t u8(uint64_t offset) const;
    uint16_t u16(uint64_t offset) const;
    uint32_t u32(uint64_t offset) const;
    uint64_t u64(uint64_t offset) const;

protected:
    ByteSource() = default;
    const uint8_t *m_data = nullptr;
    uint64_t m_size = 0;
};

class MemorySource : public ByteSource
{
public:
    explicit MemorySource(std::vector<uint8_t> bytes);
    MemorySource(const uint8_t *data, size_t len) : MemorySource(std::vector<uint8_t>(data, data + len)) {}
    // Takes a buffer whose first len bytes are the data; the rest was never touched.
    MemorySource(std::unique_ptr<uint8_t[]> buffer, size_t len);

private:
    std::vector<uint8_t> m_bytes;
    std::unique_ptr<uint8_t[]> m_buffer;
};

// A regular file mapped read-only. Should the file be cut short while it is mapped, what is gone
// reads as zeros instead of ending the process, and anyCutShort() says so from then on.
class MappedFile : public ByteSource
{
public:
    // Throws FormatError when the file cannot be opened or is not a regular file.
    explicit MappedFile(const std::string &path);
    ~MappedFile() override;

    static bool anyCutShort();
};

// Part of another source, which it keeps alive.
class ViewSource : public ByteSource
{
public:
    ViewSource(std::shared_ptr<const ByteSource> whole, uint64_t offset, uint64_t size);

private:
    std::shared_ptr<const ByteSource> m_whole;
};

} // namespace aapt
