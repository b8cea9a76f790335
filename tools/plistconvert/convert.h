// Reading any kind of property list, and replacing a file in one step.
#pragma once

#include "plist_ptr.h"

#include <string>
#include <string_view>

namespace pc {

// Lists larger than this are refused rather than read into memory.
constexpr std::size_t kMaxInputSize = 256u << 20;

// Binary and XML lists go through libplist; anything else is taken for a text list.
PlistPtr parsePropertyList(std::string_view bytes, std::string &error);

bool readFile(const std::string &path, std::string &bytes, std::string &error);

// A file written beside its final name and renamed over it on commit, so that readers
// never see a half-written file and a failure leaves any earlier file as it was. Without
// a commit the temporary file is removed.
class AtomicFile
{
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;
    ~AtomicFile();

    bool open(const std::string &path, std::string &error);
    void write(std::string_view data); // a failure is reported by commit()
    bool commit(std::string &error);

private:
    std::string m_path;
    std::string m_temp;
    int m_fd = -1;
    int m_errno = 0;
};

} // namespace pc
