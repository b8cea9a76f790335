#include "badging.h"

#include "binary_xml.h"
#include "bundle.h"
#include "read_limits.h"
#include "resource_table.h"
#include "zip_archive.h"

#include <cstdint>
#include <optional>
#include <variant>

namespace aapt {

namespace {

// Attribute resource ids of the platform.
enum : uint32_t {
    AttrLabel = 0x01010001,
    AttrIcon = 0x01010002,
    AttrName = 0x01010003,
    AttrMinSdkVersion = 0x0101020c,
    AttrVersionCode = 0x0101021b,
    AttrVersionName = 0x0101021c,
    AttrAnyDensity = 0x0101026c,
    AttrTargetSdkVersion = 0x01010270,
    AttrMaxSdkVersion = 0x01010271,
    AttrSmallScreens = 0x01010284,
    AttrNormalScreens = 0x01010285,
    AttrLargeScreens = 0x01010286,
    AttrXlargeScreens = 0x010102bf,
    AttrRequiresSmallestWidthDp = 0x01010364,
    AttrCompatibleWidthLimitDp = 0x01010365,
};

// Real reports are a few kilobytes, tens with hundreds of permissions. A report this long only
// repeats some huge string line after line.
constexpr size_t MaxReportSize = 8u << 20;

class Report
{
public:
    void line(const std::string &text)
    {
        if (m_text.size() + text.size() + 2 > MaxReportSize)
            throw FormatError("the report would be implausibly long");
        m_text += text;
        m_text += "\r\n";
    }
    const std::string &text() const { return m_text; }

private:
    std::string m_text;
};

std::string quoted(const std::string &value)
{
    return "'" + quoteForOutput(value) + "'";
}

class Badging
{
public:
    Badging(const XmlDocument &doc, ResourceTable &table)
        : m_doc(doc), m_table(table), m_config(ResConfig::request("en-US"))
    {
    }

    std::string run();

private:
    // A string attribute as written, or the string a reference leads to for the given device.
    std::string resolvedString(const XmlAttribute *a, const ResConfig &config)
    {
        if (!a)
            return {};
        if (a->value.type == ResValue::String || (a->value.type == ResValue::Null && a->hasRawString()))
            return m_doc.rawString(*a);
        if (a->value.type == ResValue::Reference)
            return m_table.resolveString(a->value, config);
        return {};
    }

    // An integer attribute, or the text of a string one (preview SDK levels are code names).
    std::variant<std::monostate, int32_t, std::string> numberOrName(const XmlAttribute *a)
    {
        if (!a)
            return {};
        std::optional<ResValue> v = a->value;
        if (v->type == ResValue::Reference)
            v = m_table.resolve(*v, m_config);
        if (v && v->isInteger())
            return int32_t(v->data);
        if (a->value.type == ResValue::String || (a->value.type == ResValue::Null && a->hasRawString()))
            return m_doc.rawString(*a);
        if (v && v->type == ResValue::String)
            return m_table.string(v->data);
        return {};
    }

    int32_t integer(const XmlElement &e, uint32_t id, const char *name, int32_t fallback)
    {
        auto v = numberOrName(m_doc.attribute(e, id, name));
        if (auto *n = std::get_if<int32_t>(&v))
            return *n;
        return fallback;
    }

    void packageLine(const XmlElement &manifest);
    void usesSdk(const XmlElement &e);
    void usesPermission(const XmlElement &e);
    void application(const XmlElement &e);
    void supportsScreens(const XmlElement &e);
    void printPermission(const std::string &name) { m_report.line("uses-permission:" + quoted(name)); }

    const XmlDocument &m_doc;
    ResourceTable &m_table;
    ResConfig m_config;
    Report m_report;

    bool m_seenApplication = false;
    int32_t m_targetSdk = 0;
    int32_t m_smallScreen = 1, m_normalScreen = 1, m_largeScreen = 1, m_xlargeScreen = 1, m_anyDensity = 1;
    int32_t m_requiresSmallestWidthDp = 0, m_compatibleWidthLimitDp = 0;
    bool m_writeExternalStorage = false, m_readExternalStorage = false, m_readPhoneState = false;
    bool m_readContacts = false, m_writeContacts = false, m_readCallLog = false, m_writeCallLog = false;
};

void Badging::packageLine(const XmlElement &manifest)
{
    const XmlAttribute *pkg = m_doc.plainAttribute(manifest, "package");
    const int32_t versionCode = integer(manifest, AttrVersionCode, "versionCode", 0);
    const std::string versionName =
        resolvedString(m_doc.attribute(manifest, AttrVersionName, "versionName"), m_config);
    m_report.line("package: name=" + quoted(pkg ? m_doc.rawString(*pkg) : std::string()) +
                  " versionCode=" + quoted(versionCode > 0 ? std::to_string(versionCode) : std::string()) +
                  " versionName=" + quoted(versionName));
}

void Badging::usesSdk(const XmlElement &e)
{
    auto min = numberOrName(m_doc.attribute(e, AttrMinSdkVersion, "minSdkVersion"));
    if (auto *n = std::get_if<int32_t>(&min)) {
        m_targetSdk = *n;
        m_report.line("sdkVersion:" + quoted(std::to_string(*n)));
    } else if (auto *s = std::get_if<std::string>(&min)) {
        if (*s == "Donut")
            m_targetSdk = 4;
        m_report.line("sdkVersion:" + quoted(*s));
    }
    const int32_t max = integer(e, AttrMaxSdkVersion, "maxSdkVersion", -1);
    if (max != -1)
        m_report.line("maxSdkVersion:" + quoted(std::to_string(max)));
    auto target = numberOrName(m_doc.attribute(e, AttrTargetSdkVersion, "targetSdkVersion"));
    if (auto *n = std::get_if<int32_t>(&target)) {
        m_targetSdk = std::max(m_targetSdk, *n);
        m_report.line("targetSdkVersion:" + quoted(std::to_string(*n)));
    } else if (auto *s = std::get_if<std::string>(&target)) {
        if (*s == "Donut" && m_targetSdk < 4)
            m_targetSdk = 4;
        m_report.line("targetSdkVersion:" + quoted(*s));
    }
}

void Badging::usesPermission(const XmlElement &e)
{
    const XmlAttribute *a = m_doc.attribute(e, AttrName, "name");
    if (!a || m_doc.rawString(*a).empty())
        return;
    const std::string &name = m_doc.rawString(*a);
    m_writeExternalStorage |= name == "android.permission.WRITE_EXTERNAL_STORAGE";
    m_readExternalStorage |= name == "android.permission.READ_EXTERNAL_STORAGE";
    m_readPhoneState |= name == "android.permission.READ_PHONE_STATE";
    m_readContacts |= name == "android.permission.READ_CONTACTS";
    m_writeContacts |= name == "android.permission.WRITE_CONTACTS";
    m_readCallLog |= name == "android.permission.READ_CALL_LOG";
    m_writeCallLog |= name == "android.permission.WRITE_CALL_LOG";
    printPermission(name);
}

void Badging::application(const XmlElement &e)
{
    const XmlAttribute *labelAttr = m_doc.attribute(e, AttrLabel, "label");
    const XmlAttribute *iconAttr = m_doc.attribute(e, AttrIcon, "icon");

    // One line per locale the package knows, each resolved as a device in that locale would.
    std::set<std::string> locales = m_table.locales();
    if (locales.empty())
        locales.insert(std::string()); // no resources: a literal label still counts as the default
    std::string label;
    for (const std::string &tag : locales) {
        ResConfig config = m_config;
        const ResConfig localeOnly = ResConfig::request(tag);
        config.language = localeOnly.language;
        config.country = localeOnly.country;
        config.script = localeOnly.script;
        config.variant = localeOnly.variant;
        config.scriptComputed = localeOnly.scriptComputed;
        config.prepare();
        const std::string value = resolvedString(labelAttr, config);
        if (value.empty())
            continue;
        if (tag.empty()) {
            label = value;
            m_report.line("application-label:" + quoted(value));
        } else {
            if (label.empty())
                label = value;
            std::string suffix = tag;
            for (char &c : suffix)
                if (c == '-')
                    c = '_';
            m_report.line("application-label-" + suffix + ":" + quoted(value));
        }
    }

    for (int density : m_table.densities()) {
        ResConfig config = m_config;
        config.density = uint16_t(density);
        const std::string icon = resolvedString(iconAttr, config);
        if (!icon.empty())
            m_report.line("application-icon-" + std::to_string(density) + ":" + quoted(icon));
    }
    const std::string icon = resolvedString(iconAttr, m_config);
    m_report.line("application: label=" + quoted(label) + " icon=" + quoted(icon));
}

void Badging::supportsScreens(const XmlElement &e)
{
    m_smallScreen = integer(e, AttrSmallScreens, "smallScreens", 1);
    m_normalScreen = integer(e, AttrNormalScreens, "normalScreens", 1);
    m_largeScreen = integer(e, AttrLargeScreens, "largeScreens", 1);
    m_xlargeScreen = integer(e, AttrXlargeScreens, "xlargeScreens", 1);
    m_anyDensity = integer(e, AttrAnyDensity, "anyDensity", 1);
    m_requiresSmallestWidthDp = integer(e, AttrRequiresSmallestWidthDp, "requiresSmallestWidthDp", 0);
    m_compatibleWidthLimitDp = integer(e, AttrCompatibleWidthLimitDp, "compatibleWidthLimitDp", 0);
}

std::string Badging::run()
{
    const std::vector<XmlElement> &elements = m_doc.elements();
    const XmlElement &root = elements.front();
    if (root.depth != 1 || !m_doc.nameIs(root, "manifest"))
        throw FormatError("manifest: the document does not start with <manifest>");
    packageLine(root);

    for (size_t i = 1; i < elements.size(); ++i) {
        const XmlElement &e = elements[i];
        if (e.depth != 2)
            continue;
        const std::string &name = m_doc.string(e.name);
        if (name == "uses-sdk")
            usesSdk(e);
        else if (name == "uses-permission")
            usesPermission(e);
        else if (name == "application" && !m_seenApplication) {
            // A package has one; a manifest repeating it only multiplies the look-ups.
            m_seenApplication = true;
            application(e);
        } else if (name == "supports-screens")
            supportsScreens(e);
    }

    // Permissions the platform grants implicitly to packages built for older releases.
    if (m_targetSdk < 4) {
        if (!m_writeExternalStorage) {
            printPermission("android.permission.WRITE_EXTERNAL_STORAGE");
            m_writeExternalStorage = true;
        }
        if (!m_readPhoneState)
            printPermission("android.permission.READ_PHONE_STATE");
    }
    if (!m_readExternalStorage && m_writeExternalStorage)
        printPermission("android.permission.READ_EXTERNAL_STORAGE");
    if (m_targetSdk < 16) {
        if (!m_readCallLog && m_readContacts)
            printPermission("android.permission.READ_CALL_LOG");
        if (!m_writeCallLog && m_writeContacts)
            printPermission("android.permission.WRITE_CALL_LOG");
    }

    // Screen sizes the manifest leaves open default by the release the package targets.
    if (m_smallScreen > 0)
        m_smallScreen = m_targetSdk >= 4 ? -1 : 0;
    if (m_normalScreen > 0)
        m_normalScreen = -1;
    if (m_largeScreen > 0)
        m_largeScreen = m_targetSdk >= 4 ? -1 : 0;
    if (m_xlargeScreen > 0)
        m_xlargeScreen = m_targetSdk >= 9 ? -1 : 0;
    if (m_anyDensity > 0)
        m_anyDensity = (m_targetSdk >= 4 || m_requiresSmallestWidthDp > m_smallScreen ||
                        m_compatibleWidthLimitDp > m_smallScreen)
                           ? -1
                           : 0;
    std::string screens = "supports-screens:";
    if (m_smallScreen)
        screens += " 'small'";
    if (m_normalScreen)
        screens += " 'normal'";
    if (m_largeScreen)
        screens += " 'large'";
    if (m_xlargeScreen)
        screens += " 'xlarge'";
    m_report.line(screens);
    m_report.line(std::string("supports-any-density: '") + (m_anyDensity ? "true" : "false") + "'");

    std::string locales = "locales:";
    for (const std::string &tag : m_table.locales()) {
        std::string shown = tag.empty() ? "--_--" : tag;
        for (char &c : shown)
            if (c == '-' && !tag.empty())
                c = '_';
        locales += " " + quoted(shown);
    }
    m_report.line(locales);
    std::string densities = "densities:";
    // A package without resources names no density, as the platform's own tool reports it.
    for (int d : m_table.densities())
        densities += " '" + std::to_string(d) + "'";
    m_report.line(densities);
    return m_report.text();
}

} // namespace

std::string quoteForOutput(const std::string &value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '"':
            out += "\\\"";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string badgingReport(ByteSource &manifest, ByteSource *tableSource)
{
    const XmlDocument doc(manifest);
    ResourceTable table = tableSource ? ResourceTable(*tableSource) : ResourceTable();
    return Badging(doc, table).run();
}

std::string badgingReportForArchive(std::shared_ptr<const ByteSource> bytes)
{
    ZipArchive archive(std::move(bytes));
    if (isBundle(archive))
        archive = openBaseApk(archive);
    std::unique_ptr<ByteSource> manifest = archive.open("AndroidManifest.xml", MaxManifestSize);
    std::unique_ptr<ByteSource> table;
    if (archive.contains("resources.arsc"))
        table = archive.open("resources.arsc", MaxTableSize);
    return badgingReport(*manifest, table.get());
}

std::string badgingReportForFile(const std::string &path)
{
    std::string report = badgingReportForArchive(std::make_shared<MappedFile>(path));
    if (MappedFile::anyCutShort())
        throw FormatError("the file was cut short while it was read");
    return report;
}

} // namespace aapt
