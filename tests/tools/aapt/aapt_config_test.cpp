// Which stored configuration serves a device: the rules behind per-locale labels and icons.
#include "aapt_test_support.h"
#include "res_config.h"
#include "resource_table.h"
#include "string_pool.h"

#include <gtest/gtest.h>

namespace {

using aapt::ResConfig;

ResConfig stored(const std::string &tag, uint16_t density = 0)
{
    ResConfig c = ResConfig::request(tag);
    ResConfig s;
    s.language = c.language;
    s.country = c.country;
    if (!c.scriptComputed)
        s.script = c.script;
    s.density = density;
    s.prepare();
    return s;
}

// The best of the candidates for a request, as an index, or -1 when none matches.
int pick(const std::vector<ResConfig> &candidates, const ResConfig &request)
{
    int best = -1;
    for (int i = 0; i < int(candidates.size()); ++i)
        if (candidates[i].matches(request) &&
            (best < 0 || candidates[i].isBetterThan(candidates[best], request)))
            best = i;
    return best;
}

TEST(AaptConfig, LocaleTagsRoundTrip)
{
    for (const char *tag : {"", "zh", "zh-CN", "fil", "fil-PH", "es-419", "sr-Latn"})
        EXPECT_EQ(stored(tag).localeTag(), tag);
}

TEST(AaptConfig, ChineseLabelsFollowScriptAndRegion)
{
    const std::vector<ResConfig> configs = {stored(""), stored("zh"), stored("zh-CN"), stored("zh-TW")};
    EXPECT_EQ(pick(configs, ResConfig::request("zh-CN")), 2);
    EXPECT_EQ(pick(configs, ResConfig::request("zh")), 1);
    EXPECT_EQ(pick(configs, ResConfig::request("zh-TW")), 3);
    EXPECT_EQ(pick(configs, ResConfig::request("")), 0);
    // Traditional Chinese never falls back to the simplified translations.
    EXPECT_EQ(pick({stored(""), stored("zh"), stored("zh-CN")}, ResConfig::request("zh-HK")), 0);
    // A default-only label is what every locale sees.
    EXPECT_EQ(pick({stored("")}, ResConfig::request("fr-CA")), 0);
    // A translation for another region stands in when the script agrees.
    EXPECT_EQ(pick({stored(""), stored("zh-SG")}, ResConfig::request("zh-CN")), 1);
    EXPECT_EQ(pick({stored("zh-CN")}, ResConfig::request("")), -1);
}

TEST(AaptConfig, RegionalEnglishPrefersTheNearerVariant)
{
    const std::vector<ResConfig> configs = {stored(""), stored("en-GB"), stored("en-XC")};
    EXPECT_EQ(pick(configs, ResConfig::request("en")), 2);    // en-GB sits under international English
    EXPECT_EQ(pick(configs, ResConfig::request("en-US")), 0); // US English lives in the defaults
    EXPECT_EQ(pick(configs, ResConfig::request("en-AU")), 1);
}

TEST(AaptConfig, DensityPrefersScalingDown)
{
    auto at = [](uint16_t density) {
        ResConfig r = ResConfig::request("");
        r.density = density;
        return r;
    };
    const std::vector<ResConfig> mdpiXhdpi = {stored("", 160), stored("", 320)};
    EXPECT_EQ(pick(mdpiXhdpi, at(160)), 0);
    EXPECT_EQ(pick(mdpiXhdpi, at(240)), 1);
    EXPECT_EQ(pick(mdpiXhdpi, at(120)), 0);
    EXPECT_EQ(pick({stored("", 240), stored("", 480)}, at(160)), 0);
    EXPECT_EQ(pick({stored("", 160), stored("", ResConfig::DensityAny)}, at(160)), 1);
    EXPECT_EQ(pick({stored("", 0), stored("", 240)}, at(0)), 0); // no density counts as medium
    EXPECT_EQ(pick({stored("", 50000), stored("", 65000)}, at(60000)), 1);
}

TEST(AaptTable, DenseAndSparseChunksFindTheirEntries)
{
    aapt::MemorySource src(
        buildTable({{0, false, {{0, 10}, {3, 13}}, ""}, {240, true, {{3, 23}, {9, 29}}, ""}}));
    aapt::ResourceTable table(src);
    auto valueAt = [&](uint32_t id, uint16_t density) {
        ResConfig r = ResConfig::request("");
        r.density = density;
        auto v = table.lookup(id, r);
        return v ? int64_t(v->data) : -1;
    };
    EXPECT_EQ(valueAt(0x7f010000, 160), 10);
    EXPECT_EQ(valueAt(0x7f010003, 160), 13);
    EXPECT_EQ(valueAt(0x7f010003, 240), 23);
    EXPECT_EQ(valueAt(0x7f010009, 160), 29); // only the hdpi chunk has it
    EXPECT_EQ(valueAt(0x7f010004, 240), -1);
    EXPECT_EQ(valueAt(0x7f020000, 160), -1); // no such type
    EXPECT_EQ(table.densities(), (std::set<int>{160, 240}));
}

TEST(AaptText, StringsAlwaysComeOutAsValidUtf8)
{
    // A supplementary character written as two three-byte surrogate halves.
    EXPECT_EQ(aapt::cleanUtf8("\xed\xa0\xbd\xed\xb8\x80"), "\xf0\x9f\x98\x80");
    EXPECT_EQ(aapt::cleanUtf8("\xf0\x9f\x98\x80 ok"), "\xf0\x9f\x98\x80 ok");
    EXPECT_EQ(aapt::cleanUtf8("a\xff"
                              "b\xc3"),
              "a\xef\xbf\xbd"
              "b\xef\xbf\xbd");
    EXPECT_EQ(aapt::cleanUtf8("\xc0\xaf"), "\xef\xbf\xbd\xef\xbf\xbd"); // overlong '/'
    EXPECT_EQ(aapt::utf16ToUtf8(u"\xd83d\x0041"), "\xef\xbf\xbd"
                                                  "A");
}

} // namespace
