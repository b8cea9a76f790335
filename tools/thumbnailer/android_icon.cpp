#include "android_icon.h"

#include "binary_xml.h"
#include "bundle.h"
#include "drawable.h"
#include "image_decode.h"
#include "png_codec.h"
#include "read_limits.h"

#include <algorithm>
#include <optional>

namespace thumb {

namespace {

constexpr uint32_t AttrIcon = 0x01010002;
// Density splits a bundle may bring: one per density, a few more for odd layouts.
constexpr size_t MaxSplits = 16;

bool isDensitySplit(std::string_view name)
{
    if (name.size() < 4 || name.substr(name.size() - 4) != ".apk")
        return false;
    return name.find("dpi") != std::string_view::npos;
}

ResourcePackage packageOf(const aapt::ZipArchive &apk)
{
    ResourcePackage p;
    p.archive = &apk;
    if (apk.contains("resources.arsc")) {
        p.tableBytes = apk.open("resources.arsc", aapt::MaxTableSize);
        p.table = std::make_unique<aapt::ResourceTable>(*p.tableBytes);
    }
    return p;
}

} // namespace

FoundIcon androidIcon(const std::vector<const aapt::ZipArchive *> &apks, int size)
{
    const aapt::ZipArchive &base = *apks.front();
    const std::unique_ptr<aapt::ByteSource> manifestBytes =
        base.open("AndroidManifest.xml", aapt::MaxManifestSize);
    const aapt::XmlDocument manifest(*manifestBytes);
    const aapt::XmlAttribute *icon = nullptr;
    for (const aapt::XmlElement &e : manifest.elements())
        if (e.depth == 2 && manifest.nameIs(e, "application")) {
            icon = manifest.attribute(e, AttrIcon, "icon");
            break;
        }
    if (!icon || (icon->value.type == aapt::ResValue::Reference && icon->value.data == 0))
        throw IconError("the package names no application icon");

    std::vector<ResourcePackage> packages;
    for (const aapt::ZipArchive *apk : apks)
        packages.push_back(packageOf(*apk));
    DrawableRenderer renderer(packages);
    return renderer.find(icon->value, size, 48);
}

FoundIcon androidIconOfArchive(const aapt::ZipArchive &archive, int size)
{
    if (!aapt::isBundle(archive))
        return androidIcon({&archive}, size);
    const aapt::ZipArchive base = aapt::openBaseApk(archive);
    std::vector<aapt::ZipArchive> splits;
    for (const aapt::ZipArchive::Entry &e : archive.entries()) {
        if (!isDensitySplit(e.name) || splits.size() == MaxSplits)
            continue;
        try {
            splits.emplace_back(
                std::shared_ptr<const aapt::ByteSource>(archive.open(e, aapt::MaxApkInBundleSize)));
        } catch (const aapt::RefusedError &) {
            throw;
        } catch (const aapt::FormatError &) {
            // A damaged split only takes its own densities away.
        }
    }
    std::vector<const aapt::ZipArchive *> apks{&base};
    for (const aapt::ZipArchive &split : splits)
        apks.push_back(&split);
    return androidIcon(apks, size);
}

} // namespace thumb
