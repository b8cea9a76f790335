// Reading any kind of property list, and replacing a file in one step.
#pragma once

#include "plist_limits.h"
#include "plist_ptr.h"

#include <string>
#include <string_view>

namespace pc {

// Binary and XML lists go through libplist once their shape is known to be within the
// bounds of plist_limits.h; anything else is taken for a text list.
PlistPtr parsePropertyList(std::string_view bytes, std::string &error);

// Reads a regular file of at most kMaxInputSize bytes. Anything else (a folder, a pipe, a
// device) is refused without waiting for it.
bool readFile(const std::string &path, std::string &bytes, std::string &error);

// A file written beside its final name and renamed over it on commit, so that readers
// never see a half-written file and a failure leaves any earlier file as it was. Until the
// commit the file has no name where the system allows it, so that even a process killed
// halfway leaves nothing behind; otherwise an uncommitted temporary file is removed.
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
    bool openUnnamed(const std::string &folder);
    bool openNamed(const std::string &folder, std::string &error);

    std::string m_path;
    std::string m_folder;
    bool m_unnamed = false;
    std::string m_temp;
    int m_fd = -1;
    int m_errno = 0;
};

} // namespace pc
