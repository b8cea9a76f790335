#include "res_config.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace aapt {

ResConfig ResConfig::read(ByteSource &src, uint64_t offset, uint32_t room)
{
    const uint32_t size = src.u32(offset);
    if (size < 8 || size > room)
        throw FormatError("resource table: configuration size " + std::to_string(size) + " is invalid");
    // Older tables store fewer fields; the missing ones are zero.
    uint8_t b[52] = {};
    src.read(offset, b, std::min<uint32_t>(size, sizeof b));
    auto u16 = [&](int at) { return uint16_t(b[at] | b[at + 1] << 8); };
    ResConfig c;
    c.mcc = u16(4);
    c.mnc = u16(6);
    c.language = {b[8], b[9]};
    c.country = {b[10], b[11]};
    c.orientation = b[12];
    c.touchscreen = b[13];
    c.density = u16(14);
    c.keyboard = b[16];
    c.navigation = b[17];
    c.inputFlags = b[18];
    c.screenWidth = u16(20);
    c.screenHeight = u16(22);
    c.sdkVersion = u16(24);
    c.minorVersion = u16(26);
    c.screenLayout = b[28];
    c.uiMode = b[29];
    c.smallestScreenWidthDp = u16(30);
    c.screenWidthDp = u16(32);
    c.screenHeightDp = u16(34);
    std::memcpy(c.script.data(), b + 36, 4);
    std::memcpy(c.variant.data(), b + 40, 8);
    c.screenLayout2 = b[48];
    c.colorMode = b[49];
    c.prepare();
    return c;
}

namespace {

// Two bytes hold either two ASCII letters or, with the top bit set, three letters of five bits
// each counted from base ('a' for languages, '0' for numeric regions).
std::string unpackCode(const std::array<uint8_t, 2> &in, char base)
{
    if (!in[0])
        return {};
    if (in[0] & 0x80) {
        const char first = char(base + (in[1] & 0x1f));
        const char second = char(base + ((in[1] & 0xe0) >> 5 | (in[0] & 0x03) << 3));
        const char third = char(base + ((in[0] & 0x7c) >> 2));
        return {first, second, third};
    }
    std::string out(1, char(in[0]));
    if (in[1])
        out += char(in[1]);
    return out;
}

std::array<uint8_t, 2> packCode(const std::string &code, char base)
{
    if (code.size() == 3) {
        const uint8_t first = uint8_t(code[0] - base) & 0x1f;
        const uint8_t second = uint8_t(code[1] - base) & 0x1f;
        const uint8_t third = uint8_t(code[2] - base) & 0x1f;
        return {uint8_t(0x80 | third << 2 | second >> 3), uint8_t((second & 0x07) << 5 | first)};
    }
    std::array<uint8_t, 2> out{};
    for (size_t i = 0; i < code.size() && i < 2; ++i)
        out[i] = uint8_t(code[i]);
    return out;
}

std::string fixed(const char *s, size_t n)
{
    return std::string(s, strnlen(s, n));
}

// The likely script of a locale that names none. Locales of one language and script stand in
// for each other when a device looks a value up, so this decides which translations match.
std::string likelyScript(const std::string &language, const std::string &region)
{
    if (language.empty())
        return {};
    if (language == "zh")
        return region == "TW" || region == "HK" || region == "MO" ? "Hant" : "Hans";
    if ((language == "pa" && region == "PK") || (language == "uz" && region == "AF") ||
        (language == "az" && region == "IR"))
        return "Arab";
    if (language == "sr" && region == "ME")
        return "Latn";
    static const struct
    {
        const char *script;
        const char *languages;
    } table[] = {
        {"Arab", " ar fa ur ps ug sd ks ckb lrc mzn glk "},
        {"Cyrl", " ru uk be bg mk sr kk ky mn tg tt ba cv ce os sah ab av kv "},
        {"Hebr", " he iw yi "},
        {"Deva", " hi mr ne sa kok mai bho brx doi new "},
        {"Beng", " bn as mni "},
        {"Guru", " pa "},
        {"Gujr", " gu "},
        {"Orya", " or "},
        {"Taml", " ta "},
        {"Telu", " te "},
        {"Knda", " kn "},
        {"Mlym", " ml "},
        {"Sinh", " si "},
        {"Thai", " th "},
        {"Laoo", " lo "},
        {"Mymr", " my "},
        {"Khmr", " km "},
        {"Geor", " ka "},
        {"Armn", " hy "},
        {"Ethi", " am ti "},
        {"Grek", " el "},
        {"Jpan", " ja "},
        {"Kore", " ko "},
        {"Tibt", " bo dz "},
        {"Thaa", " dv "},
        {"Cher", " chr "},
    };
    const std::string key = " " + language + " ";
    for (const auto &row : table)
        if (std::strstr(row.languages, key.c_str()))
            return row.script;
    return "Latn";
}

// The region a regional variant falls back to before the bare language ("" stands for it):
// most Commonwealth English falls back to international English, Latin American Spanish to
// es-419, and Portuguese outside Brazil to European Portuguese.
std::string parentRegion(const std::string &language, const std::string &region)
{
    auto among = [&](const char *list) { return std::strstr(list, (" " + region + " ").c_str()) != nullptr; };
    if (region.empty())
        return {};
    if (language == "en") {
        if (among(" AG AI AT AU BB BE BM BS BW BZ CA CC CH CK CM CX CY DE DG DK DM ER FI FJ FK FM GB GD GG "
                  "GH GI GM GY HK IE IL IM IN IO JE JM KE KI KN KY LC LR LS MG MO MS MT MU MW MY NA NF NG NL "
                  "NR NU NZ PG PK PN PW RW SB SC SD SE SG SH SI SL SS SX SZ TC TK TO TT TV TZ UG VC VG VU WS "
                  "ZA ZM ZW 150 "))
            return "001";
    } else if (language == "es") {
        if (among(" AR BO BR BZ CL CO CR CU DO EC GT HN MX NI PA PE PR PY SV US UY VE "))
            return "419";
    } else if (language == "pt") {
        if (among(" AO CH CV FR GQ GW LU MO MZ ST TL "))
            return "PT";
    } else if (language == "zh" && region == "MO") {
        return "HK";
    }
    return {};
}

std::vector<std::string> regionChain(const std::string &language, std::string region)
{
    std::vector<std::string> chain{region};
    while (!region.empty() && chain.size() < 8) {
        region = parentRegion(language, region);
        chain.push_back(region);
    }
    return chain;
}

// The region a language is most at home in, used only to break ties.
bool isRepresentative(const std::string &language, const std::string &region)
{
    static const char *const pairs[] = {"en-US", "fr-FR", "de-DE", "es-ES", "pt-BR", "it-IT",
                                        "ru-RU", "ja-JP", "ko-KR", "zh-CN", "ar-EG", "nl-NL",
                                        "sv-SE", "pl-PL", "tr-TR", "hi-IN"};
    const std::string tag = language + "-" + region;
    for (const char *p : pairs)
        if (tag == p)
            return true;
    return false;
}

// > 0 when region a serves a request for the given language and region better than b.
int compareRegions(const std::string &language, const std::string &a, const std::string &b,
                   const std::string &requested)
{
    if (a == b)
        return 0;
    std::vector<std::string> ancestors;
    for (const std::string &r : regionChain(language, requested)) {
        if (r == a)
            return 1;
        if (r == b)
            return -1;
        ancestors.push_back(r);
    }
    auto distance = [&](const std::string &region) {
        const auto chain = regionChain(language, region);
        for (size_t i = 0; i < chain.size(); ++i)
            if (std::find(ancestors.begin(), ancestors.end(), chain[i]) != ancestors.end())
                return i;
        return chain.size();
    };
    const size_t da = distance(a), db = distance(b);
    if (da != db)
        return da < db ? 1 : -1;
    const bool ra = isRepresentative(language, a), rb = isRepresentative(language, b);
    if (ra != rb)
        return ra ? 1 : -1;
    // For a stable choice the lower code wins, letters before digits.
    auto rank = [](const std::string &r) { return std::make_pair(r.size(), r); };
    return rank(a) < rank(b) ? 1 : -1;
}

} // namespace

std::string ResConfig::languageCode() const
{
    return unpackCode(language, 'a');
}

std::string ResConfig::regionCode() const
{
    return unpackCode(country, '0');
}

std::string ResConfig::localeTag() const
{
    std::string out = languageCode();
    auto add = [&](const std::string &part) {
        if (part.empty())
            return;
        if (!out.empty())
            out += '-';
        out += part;
    };
    if (!scriptComputed)
        add(fixed(script.data(), script.size()));
    add(regionCode());
    add(fixed(variant.data(), variant.size()));
    return out;
}

ResConfig ResConfig::request(const std::string &tag)
{
    ResConfig c;
    c.orientation = 1; // portrait
    c.density = DensityMedium;
    c.sdkVersion = 10000;
    c.screenWidthDp = 320;
    c.screenHeightDp = 480;
    c.smallestScreenWidthDp = 320;
    c.screenLayout = 2; // normal size

    // Tags come from localeTag(): language, then an optional four-letter script, a region of two
    // letters or three digits, and a variant.
    std::vector<std::string> parts;
    for (size_t start = 0; !tag.empty();) {
        const size_t dash = tag.find('-', start);
        parts.push_back(tag.substr(start, dash == std::string::npos ? std::string::npos : dash - start));
        if (dash == std::string::npos)
            break;
        start = dash + 1;
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string &piece = parts[i];
        if (i == 0)
            c.language = packCode(piece, 'a');
        else if (piece.size() == 4 && !c.script[0] && !c.country[0])
            std::memcpy(c.script.data(), piece.data(), 4);
        else if ((piece.size() == 2 || piece.size() == 3) && !c.country[0])
            c.country = packCode(piece, '0');
        else if (!c.variant[0])
            std::memcpy(c.variant.data(), piece.data(), std::min<size_t>(piece.size(), 8));
    }
    if (c.language[0] && !c.script[0]) {
        const std::string script = likelyScript(c.languageCode(), c.regionCode());
        std::memcpy(c.script.data(), script.data(), std::min<size_t>(script.size(), 4));
        c.scriptComputed = !script.empty();
    }
    c.prepare();
    return c;
}

void ResConfig::prepare()
{
    matchScript = script;
    if (!matchScript[0] && language[0]) {
        const std::string likely = likelyScript(languageCode(), regionCode());
        std::memcpy(matchScript.data(), likely.data(), std::min<size_t>(likely.size(), 4));
    }
}

bool ResConfig::matches(const ResConfig &r) const
{
    if ((mcc && mcc != r.mcc) || (mnc && mnc != r.mnc))
        return false;

    if (language[0]) {
        if (language != r.language)
            return false;
        // Locales of one script stand in for each other; without a known script the regions must agree.
        if (!matchScript[0] || !r.matchScript[0]) {
            if (country[0] && country != r.country)
                return false;
        } else if (matchScript != r.matchScript) {
            return false;
        }
        if (variant[0] && std::memcmp(variant.data(), r.variant.data(), 8) != 0)
            return false;
    } else if (country[0] && country != r.country) {
        return false;
    }

    const uint8_t layoutDir = screenLayout & 0xc0, size = screenLayout & 0x0f, longness = screenLayout & 0x30;
    if ((layoutDir && layoutDir != (r.screenLayout & 0xc0)) || (size && size > (r.screenLayout & 0x0f)) ||
        (longness && longness != (r.screenLayout & 0x30)))
        return false;
    if ((screenLayout2 && screenLayout2 != r.screenLayout2) || (colorMode && colorMode != r.colorMode))
        return false;
    if (((uiMode & 0x0f) && (uiMode & 0x0f) != (r.uiMode & 0x0f)) ||
        ((uiMode & 0x30) && (uiMode & 0x30) != (r.uiMode & 0x30)))
        return false;
    if ((smallestScreenWidthDp && smallestScreenWidthDp > r.smallestScreenWidthDp) ||
        (screenWidthDp && screenWidthDp > r.screenWidthDp) ||
        (screenHeightDp && screenHeightDp > r.screenHeightDp))
        return false;
    if (orientation && orientation != r.orientation)
        return false;
    if ((touchscreen && touchscreen != r.touchscreen) || (keyboard && keyboard != r.keyboard) ||
        (navigation && navigation != r.navigation) || (inputFlags && inputFlags != r.inputFlags))
        return false;
    if ((screenWidth && screenWidth > r.screenWidth) || (screenHeight && screenHeight > r.screenHeight))
        return false;
    if ((sdkVersion && sdkVersion > r.sdkVersion) || (minorVersion && minorVersion != r.minorVersion))
        return false;
    return true;
}

bool ResConfig::isLocaleBetterThan(const ResConfig &o, const ResConfig &r) const
{
    if (!r.language[0] && !r.country[0])
        return false;
    if (!hasLocale() && !o.hasLocale())
        return false;
    if (language != o.language) {
        // US English has traditionally lived in the default resources, so they beat an English
        // resource for another region.
        if (r.languageCode() == "en" && r.regionCode() == "US") {
            if (language[0])
                return !country[0] || regionCode() == "US";
            return !(!o.country[0] || o.regionCode() == "US");
        }
        return language[0] != 0;
    }
    if (country != o.country) {
        const int c = compareRegions(r.languageCode(), regionCode(), o.regionCode(), r.regionCode());
        if (c != 0)
            return c > 0;
    }
    if (std::memcmp(variant.data(), o.variant.data(), 8) != 0)
        return std::memcmp(variant.data(), r.variant.data(), 8) == 0;
    return false;
}

bool ResConfig::isBetterThan(const ResConfig &o, const ResConfig &r) const
{
    if (mcc != o.mcc || mnc != o.mnc)
        return (mcc && !o.mcc) || (mnc && !o.mnc);
    if (isLocaleBetterThan(o, r))
        return true;
    if (o.isLocaleBetterThan(*this, r))
        return false;
    if ((screenLayout & 0xc0) != (o.screenLayout & 0xc0))
        return (screenLayout & 0xc0) != 0;
    if (smallestScreenWidthDp != o.smallestScreenWidthDp)
        return smallestScreenWidthDp > o.smallestScreenWidthDp;
    if (screenWidthDp != o.screenWidthDp)
        return screenWidthDp > o.screenWidthDp;
    if (screenHeightDp != o.screenHeightDp)
        return screenHeightDp > o.screenHeightDp;
    if ((screenLayout & 0x0f) != (o.screenLayout & 0x0f))
        return (screenLayout & 0x0f) > (o.screenLayout & 0x0f);
    if ((screenLayout & 0x30) != (o.screenLayout & 0x30))
        return (screenLayout & 0x30) != 0;
    if (screenLayout2 != o.screenLayout2)
        return screenLayout2 != 0;
    if (colorMode != o.colorMode)
        return colorMode != 0;
    if (orientation != o.orientation)
        return orientation != 0;
    if (uiMode != o.uiMode)
        return uiMode != 0;
    if (density != o.density) {
        // Prefer a resource made for any density, then the nearest bucket, scaling down rather than up.
        const int mine = density ? density : DensityMedium;
        const int theirs = o.density ? o.density : DensityMedium;
        if (mine == DensityAny)
            return true;
        if (theirs == DensityAny)
            return false;
        // 64-bit: the products of two 16-bit densities overflow an int.
        int64_t wanted = r.density;
        if (wanted == 0 || wanted == DensityAny)
            wanted = DensityMedium;
        int64_t high = mine, low = theirs;
        bool mineIsHigher = true;
        if (low > high) {
            std::swap(low, high);
            mineIsHigher = false;
        }
        if (wanted >= high)
            return mineIsHigher;
        if (low >= wanted)
            return !mineIsHigher;
        if (((2 * low) - wanted) * high > wanted * wanted)
            return !mineIsHigher;
        return mineIsHigher;
    }
    if (touchscreen != o.touchscreen)
        return touchscreen != 0;
    if (inputFlags != o.inputFlags)
        return inputFlags != 0;
    if (keyboard != o.keyboard)
        return keyboard != 0;
    if (navigation != o.navigation)
        return navigation != 0;
    if (screenWidth != o.screenWidth)
        return screenWidth > o.screenWidth;
    if (screenHeight != o.screenHeight)
        return screenHeight > o.screenHeight;
    if (sdkVersion != o.sdkVersion)
        return sdkVersion > o.sdkVersion;
    if (minorVersion != o.minorVersion)
        return minorVersion != 0;
    return false;
}

} // namespace aapt
