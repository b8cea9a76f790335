// libFuzzer entry: any bytes through the converter as the tool runs it. The content picks
// the reader ("bplist" binary, "<?"/"<!"/"<plist" XML, anything else text or .strings,
// UTF-8 or UTF-16), and a parsed tree goes through the writer into a sink that only counts.
#include "convert.h"
#include "xml_writer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    std::string error;
    const pc::PlistPtr root = pc::parsePropertyList(bytes, error);
    if (root) {
        std::size_t written = 0;
        pc::writeAppleXml(root.get(), [&written](std::string_view piece) { written += piece.size(); });
    }
    return 0;
}
