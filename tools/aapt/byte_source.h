// Random access to the bytes of one package member. The resource table of a large package is
// mostly data the report never needs, so a stored member is read piecewise, never as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

struct zip;

namespace aapt {

// Every malformed input ends in this error; the message names what was wrong.
class FormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class ByteSource
{
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Fills out with len bytes from offset; throws FormatError when the range leaves the source.
    void read(uint64_t offset, void *out, size_t len);
    uint8_t u8(uint64_t offset);
    uint16_t u16(uint64_t offset);
    uint32_t u32(uint64_t offset);
    // A hint that the next reads walk forward through the data, so reading ahead pays.
    virtual void setSequential(bool) {}

protected:
    virtual void readRaw(uint64_t offset, void *out, size_t len) = 0;
};

class MemorySource : public ByteSource
{
public:
    explicit MemorySource(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    MemorySource(const uint8_t *data, size_t len) : m_bytes(data, data + len) {}
    uint64_t size() const override { return m_bytes.size(); }
    const std::vector<uint8_t> &bytes() const { return m_bytes; }

protected:
    void readRaw(uint64_t offset, void *out, size_t len) override;

private:
    std::vector<uint8_t> m_bytes;
};

// An open package. Only the members asked for are read.
class ZipArchive
{
public:
    explicit ZipArchive(const std::string &path);
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    bool contains(const char *member) const;
    // A stored member is read on demand; a compressed one is inflated into memory, up to maxSize bytes.
    std::unique_ptr<ByteSource> open(const char *member, uint64_t maxSize);

private:
    zip *m_zip = nullptr;
};

} // namespace aapt
