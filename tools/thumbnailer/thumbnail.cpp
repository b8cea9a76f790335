#include "thumbnail.h"

#include "android_icon.h"
#include "bundle.h"
#include "ipa_icon.h"
#include "png_codec.h"
#include "zip_archive.h"

#include <algorithm>

namespace thumb {

Image packageIcon(std::shared_ptr<const aapt::ByteSource> bytes, int size)
{
    size = std::clamp(size, 1, MaxRenderSize);
    const aapt::ZipArchive archive(std::move(bytes));
    if (archive.contains("AndroidManifest.xml") || aapt::isBundle(archive))
        return androidIconOfArchive(archive, size);
    if (isIpa(archive))
        return ipaIcon(archive, size);
    throw IconError("not an Android or iOS package");
}

Image packageIconOfFile(const std::string &path, int size)
{
    return packageIcon(std::make_shared<aapt::MappedFile>(path), size);
}

} // namespace thumb
