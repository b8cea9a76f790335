#include "ipa_icon.h"

#include "convert.h"
#include "icon_limits.h"
#include "image_decode.h"
#include "png_codec.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace thumb {

namespace {

std::string lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

bool startsWith(std::string_view s, std::string_view head)
{
    return s.size() >= head.size() && s.substr(0, head.size()) == head;
}

// "Payload/Name.app/" when the member is the main bundle's Info.plist.
std::optional<std::string> bundleOfInfoPlist(std::string_view member)
{
    const std::string name = lower(member);
    if (!startsWith(name, "payload/"))
        return std::nullopt;
    const size_t slash = name.find('/', 8);
    if (slash == std::string::npos || name.substr(slash) != "/info.plist" || slash < 8 + 5 ||
        name.substr(slash - 4, 4) != ".app")
        return std::nullopt;
    return std::string(member.substr(0, slash + 1));
}

void addStrings(plist_t node, std::vector<std::string> &names)
{
    if (!node)
        return;
    auto add = [&](plist_t s) {
        if (plist_get_node_type(s) != PLIST_STRING)
            return;
        char *value = nullptr;
        plist_get_string_val(s, &value);
        if (value && *value)
            names.emplace_back(value);
        free(value);
    };
    if (plist_get_node_type(node) == PLIST_ARRAY) {
        const uint32_t n = plist_array_get_size(node);
        for (uint32_t i = 0; i < n; ++i)
            add(plist_array_get_item(node, i));
    } else {
        add(node);
    }
}

plist_t dictItem(plist_t dict, const char *key)
{
    return dict && plist_get_node_type(dict) == PLIST_DICT ? plist_dict_get_item(dict, key) : nullptr;
}

// Of the members, the image that best fits: the smallest at least size, else the largest.
FoundIcon bestOf(const aapt::ZipArchive &archive, const std::vector<const aapt::ZipArchive::Entry *> &members,
                 int size)
{
    std::unique_ptr<aapt::ByteSource> best;
    int64_t bestSide = 0;
    for (const aapt::ZipArchive::Entry *e : members) {
        std::unique_ptr<aapt::ByteSource> bytes;
        try {
            bytes = archive.open(*e, MaxImageBytes);
        } catch (const aapt::RefusedError &) {
            throw;
        } catch (const aapt::FormatError &) {
            continue;
        }
        const std::optional<ImageSize> s = imageSize(viewOf(*bytes));
        if (!s || s->width <= 0 || s->height <= 0)
            continue;
        const int64_t side = std::max(s->width, s->height);
        const bool fits = side >= size, bestFits = bestSide >= size;
        if (!best || (fits && (!bestFits || side < bestSide)) || (!fits && !bestFits && side > bestSide)) {
            best = std::move(bytes);
            bestSide = side;
        }
    }
    return {{}, std::move(best)};
}

} // namespace

std::vector<std::string> iconNamesOf(std::string_view infoPlist)
{
    std::string error;
    const pc::PlistPtr root = pc::parsePropertyList(infoPlist, error);
    if (!root)
        throw IconError("Info.plist cannot be read: " + error);
    plist_t dict = static_cast<plist_t>(root.get());
    std::vector<std::string> names;
    for (const char *icons : {"CFBundleIcons", "CFBundleIcons~ipad"})
        addStrings(dictItem(dictItem(dictItem(dict, icons), "CFBundlePrimaryIcon"), "CFBundleIconFiles"),
                   names);
    addStrings(dictItem(dict, "CFBundleIconFiles"), names);
    addStrings(dictItem(dict, "CFBundleIconFile"), names);
    return names;
}

bool iconFileMatches(std::string_view name, std::string_view file)
{
    const std::string n = lower(name), f = lower(file);
    if (n == f)
        return true;
    const std::string stem = n.size() > 4 && n.substr(n.size() - 4) == ".png" ? n.substr(0, n.size() - 4) : n;
    if (!startsWith(f, stem) || f.size() < stem.size() + 4 || f.substr(f.size() - 4) != ".png")
        return false;
    std::string rest = f.substr(stem.size(), f.size() - stem.size() - 4);
    for (const char *scale : {"@2x", "@3x"})
        if (startsWith(rest, scale)) {
            rest.erase(0, 3);
            break;
        }
    return rest.empty() || rest == "~ipad" || rest == "~iphone";
}

bool isIpa(const aapt::ZipArchive &archive)
{
    return std::any_of(
        archive.entries().begin(), archive.entries().end(),
        [](const aapt::ZipArchive::Entry &e) { return startsWith(lower(e.name), "payload/"); });
}

FoundIcon ipaIcon(const aapt::ZipArchive &archive, int size)
{
    const aapt::ZipArchive::Entry *info = nullptr;
    std::string bundle;
    for (const aapt::ZipArchive::Entry &e : archive.entries())
        if (auto b = bundleOfInfoPlist(e.name)) {
            info = &e;
            bundle = *b;
            break;
        }
    if (info) {
        const std::vector<std::string> names = iconNamesOf(viewOf(*archive.open(*info, MaxDocumentBytes)));
        std::vector<const aapt::ZipArchive::Entry *> members;
        for (const aapt::ZipArchive::Entry &e : archive.entries()) {
            if (e.name.size() <= bundle.size() || e.name.substr(0, bundle.size()) != bundle)
                continue;
            const std::string_view file = e.name.substr(bundle.size());
            if (file.find('/') != std::string_view::npos)
                continue;
            if (std::any_of(names.begin(), names.end(),
                            [&](const std::string &n) { return iconFileMatches(n, file); }))
                members.push_back(&e);
        }
        FoundIcon icon = bestOf(archive, members, size);
        if (!icon.isNull())
            return icon;
    }
    std::vector<const aapt::ZipArchive::Entry *> artwork;
    for (const aapt::ZipArchive::Entry &e : archive.entries())
        if (e.name == "iTunesArtwork" || e.name == "iTunesArtwork@2x")
            artwork.push_back(&e);
    FoundIcon icon = bestOf(archive, artwork, size);
    if (icon.isNull())
        throw IconError("the package has no icon file that can be read");
    return icon;
}

} // namespace thumb
