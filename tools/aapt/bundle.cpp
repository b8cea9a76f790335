#include "bundle.h"

#include "binary_xml.h"
#include "read_limits.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace aapt {

namespace {

bool endsWithApk(std::string_view name)
{
    if (name.size() < 4 || name.back() == '/')
        return false;
    std::string tail(name.substr(name.size() - 4));
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return tail == ".apk";
}

// What one bundle may cost in bytes read, over all the members and manifests it makes us read:
// each member is inflated, or read in place when stored, once to look at its manifest, the base
// once more. A stored member costs as much as an inflated one: its directory is read all the same.
class InflateBudget
{
public:
    void spend(const ZipArchive::Entry &e)
    {
        m_spent += e.size;
        if (m_spent > MaxBundleRead)
            throw RefusedError("bundle: its members inflate to more than a package can hold");
    }

private:
    uint64_t m_spent = 0;
};

ZipArchive openMember(const ZipArchive &bundle, const ZipArchive::Entry &e, InflateBudget &budget)
{
    budget.spend(e);
    return ZipArchive(std::shared_ptr<const ByteSource>(bundle.open(e, MaxApkInBundleSize)));
}

enum class Kind { NotAnApk, Base, Split };

Kind kindOf(const ZipArchive &apk, InflateBudget &budget)
{
    const ZipArchive::Entry *manifest = apk.find("AndroidManifest.xml");
    if (!manifest)
        return Kind::NotAnApk;
    budget.spend(*manifest);
    const std::unique_ptr<ByteSource> bytes = apk.open(*manifest, MaxManifestSize);
    const XmlDocument doc(*bytes);
    const XmlElement &root = doc.elements().front();
    if (root.depth != 1 || !doc.nameIs(root, "manifest"))
        return Kind::NotAnApk;
    return doc.plainAttribute(root, "split") ? Kind::Split : Kind::Base;
}

} // namespace

bool isBundle(const ZipArchive &archive)
{
    if (archive.contains("AndroidManifest.xml"))
        return false;
    return std::any_of(archive.entries().begin(), archive.entries().end(),
                       [](const ZipArchive::Entry &e) { return endsWithApk(e.name); });
}

ZipArchive openBaseApk(const ZipArchive &bundle)
{
    InflateBudget budget;
    const ZipArchive::Entry *base = nullptr;
    // A stored base is kept as it was opened for the search: it is a view and costs no memory.
    // A deflated one is let go and inflated again at the end, so that at most one inflated
    // member is held at a time.
    std::optional<ZipArchive> storedBase;
    size_t members = 0;
    for (const ZipArchive::Entry &e : bundle.entries()) {
        if (!endsWithApk(e.name))
            continue;
        if (++members > MaxApksInBundle)
            throw RefusedError("bundle: implausibly many member APKs");
        if (e.encrypted())
            throw RefusedError("bundle: " + std::string(e.name) + " is encrypted");
        std::optional<ZipArchive> member;
        Kind kind;
        try {
            member.emplace(openMember(bundle, e, budget));
            kind = kindOf(*member, budget);
        } catch (const RefusedError &) {
            // An encrypted member or a bomb is what the bundle is, not one broken part of it.
            throw;
        } catch (const FormatError &) {
            // A damaged member must not hide the base; if it was the base, none is found.
            kind = Kind::NotAnApk;
        }
        if (kind != Kind::Base)
            continue;
        if (base)
            throw FormatError("bundle: two base APKs, " + std::string(base->name) + " and " +
                              std::string(e.name));
        base = &e;
        if (e.stored())
            storedBase = std::move(member);
    }
    if (!base)
        throw FormatError("bundle: no base APK (no member APK without a split name)");
    return storedBase ? std::move(*storedBase) : openMember(bundle, *base, budget);
}

} // namespace aapt
