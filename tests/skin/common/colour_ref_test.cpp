#include "skin/common/colour_ref.h"

#include <gtest/gtest.h>

using namespace skin;

TEST(ColourRefTest, ByteOrderAndSystemColours)
{
    // &H9C6113 is RGB 19, 97, 156.
    EXPECT_EQ(refRed(0x9C6113), 19);
    EXPECT_EQ(refGreen(0x9C6113), 97);
    EXPECT_EQ(refBlue(0x9C6113), 156);
    EXPECT_EQ(translatedColour(0x9C6113), QColor(19, 97, 156));

    QPalette pal;
    pal.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    EXPECT_EQ(translateColour(kSysButtonFace, pal), rgbRef(1, 2, 3));
    EXPECT_EQ(translateColour(0x00C0E0FF, pal), 0x00C0E0FF);

    // Unknown system indices and stray bits fail with -1.
    EXPECT_EQ(translateColour(sysColour(200), pal), kColourInvalid);
    EXPECT_EQ(translateColour(kColourInvalid, pal), kColourInvalid);
    EXPECT_EQ(translateColour(static_cast<ColourRef>(0x8001000F), pal), kColourInvalid);
    EXPECT_FALSE(translatedColour(sysColour(99)).isValid());
}
