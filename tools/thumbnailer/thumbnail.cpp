#include "thumbnail.h"

#include "android_icon.h"
#include "bundle.h"
#include "icon_error.h"
#include "ipa_icon.h"
#include "zip_archive.h"

#include <algorithm>

namespace thumb {

FoundIcon findPackageIcon(std::shared_ptr<const aapt::ByteSource> bytes, int size)
{
    const aapt::ZipArchive archive(std::move(bytes));
    if (archive.contains("AndroidManifest.xml") || aapt::isBundle(archive))
        return androidIconOfArchive(archive, size);
    if (isIpa(archive))
        return ipaIcon(archive, size);
    throw IconError("not an Android or iOS package");
}

std::string packageThumbnailOfFile(const std::string &path, int size)
{
    size = std::clamp(size, 1, MaxRenderSize);
    return iconPng(findPackageIcon(std::make_shared<aapt::MappedFile>(path), size), size);
}

} // namespace thumb
