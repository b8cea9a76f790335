// libFuzzer entry: any bytes through the text decoder, the text parser and the writer.
#include "text_plist.h"
#include "xml_writer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    std::string text, error;
    if (!pc::decodeTextBytes(bytes, text, error))
        return 0;
    const pc::PlistPtr root = pc::parseTextPlist(text, error);
    if (root)
        pc::writeAppleXml(root.get(), [](std::string_view) {});
    return 0;
}
