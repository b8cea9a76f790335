#include "skin/common/property_bag.h"
#include "support/recording_property_bag.h"

#include <gtest/gtest.h>

using namespace skin;

TEST(PropertyBagTest, DefaultsAreNeitherStoredNorNeededOnReading)
{
    PropertyBag bag;
    bag.write("ThemeColor", 0, 6);
    bag.write("Style", 0, 0);
    bag.write("TitleBarShadow", true, true);
    EXPECT_TRUE(bag.contains("ThemeColor"));
    EXPECT_FALSE(bag.contains("Style"));
    EXPECT_FALSE(bag.contains("TitleBarShadow"));

    EXPECT_EQ(bag.read("ThemeColor", 6), 0);
    EXPECT_EQ(bag.read("Style", 3), 3);
    // Writing the default again removes an earlier stored value.
    bag.write("ThemeColor", 6, 6);
    EXPECT_EQ(bag.read("ThemeColor", 6), 6);
    EXPECT_FALSE(bag.contains("ThemeColor"));

    // A stored value of the wrong kind counts as missing.
    RecordingPropertyBag odd(QVariantMap{{"IconSize", QStringLiteral("big")}});
    EXPECT_EQ(odd.read<int>("IconSize", 16), 16);
    EXPECT_EQ(odd.readLog(), QStringList{"IconSize"});
}
