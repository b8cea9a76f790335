// The configuration a resource value belongs to (locale, density, screen and so on), and the
// rules that pick the value a device with a given configuration would see.
#pragma once

#include "byte_source.h"

#include <array>
#include <string>

namespace aapt {

struct ResConfig
{
    uint16_t mcc = 0, mnc = 0;
    std::array<uint8_t, 2> language{}, country{};
    uint8_t orientation = 0, touchscreen = 0;
    uint16_t density = 0;
    uint8_t keyboard = 0, navigation = 0, inputFlags = 0;
    uint16_t screenWidth = 0, screenHeight = 0;
    uint16_t sdkVersion = 0, minorVersion = 0;
    uint8_t screenLayout = 0, uiMode = 0;
    uint16_t smallestScreenWidthDp = 0, screenWidthDp = 0, screenHeightDp = 0;
    std::array<char, 4> script{};
    std::array<char, 8> variant{};
    uint8_t screenLayout2 = 0, colorMode = 0;
    // Set for a request whose script was derived from its language and region.
    bool scriptComputed = false;
    // The script used for matching: the stated one or the likely one, empty when unknown.
    std::array<char, 4> matchScript{};

    static constexpr uint16_t DensityMedium = 160;
    static constexpr uint16_t DensityAny = 0xfffe;

    // Reads the configuration stored at offset, given the room the chunk header leaves for it.
    static ResConfig read(ByteSource &src, uint64_t offset, uint32_t room);

    // The locale in BCP 47 form with hyphens ("zh-CN", "sr-Latn"); empty for the default.
    std::string localeTag() const;
    std::string languageCode() const;
    std::string regionCode() const;
    bool hasLocale() const { return language[0] || country[0] || script[0] || variant[0]; }

    // The device configuration the report resolves values for, with the locale given as a tag.
    static ResConfig request(const std::string &localeTag);

    bool matches(const ResConfig &request) const;
    bool isBetterThan(const ResConfig &other, const ResConfig &request) const;

    // Fills matchScript; called whenever the locale fields change.
    void prepare();

private:
    bool isLocaleBetterThan(const ResConfig &other, const ResConfig &request) const;
};

} // namespace aapt
