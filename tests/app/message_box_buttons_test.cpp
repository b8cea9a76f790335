#include "app/message_box_buttons.h"

#include <gtest/gtest.h>

TEST(MessageBoxButtons, StylesNormaliseIntoTheFiveButtonSets)
{
    // Each band of sixteen above the plain codes folds back; the rest stays.
    const std::pair<int, int> styles[] = {{0, 0},   {4, 4},  {16, 0},  {19, 3},  {31, 15}, {32, 0}, {48, 0},
                                          {63, 15}, {64, 0}, {79, 15}, {80, 80}, {15, 15}, {-1, -1}};
    for (const auto &[style, normalised] : styles)
        EXPECT_EQ(normaliseMessageStyle(style), normalised) << style;

    auto captions = [](int style) {
        QStringList list;
        for (const MessageButton &b : messageButtons(style))
            list.append(b.caption + "=" + QString::number(b.result));
        return list.join(' ');
    };
    EXPECT_EQ(captions(0), "OK=1");
    EXPECT_EQ(captions(1), "OK=1 Cancel=2");
    EXPECT_EQ(captions(2), "OK=1 Ignore=3");
    EXPECT_EQ(captions(3), "Yes=4 No=5");
    EXPECT_EQ(captions(4), "Yes=4 No=5 Cancel=2");
    for (int none : {5, 15, 80, -1})
        EXPECT_TRUE(messageButtons(none).isEmpty()) << none;
}

TEST(MessageBoxButtons, RowIsCentredWithItsGaps)
{
    EXPECT_EQ(centredRowLefts(5070, {1200}, 120), QList<int>({1935}));
    EXPECT_EQ(centredRowLefts(5070, {1200, 1200}, 120), QList<int>({1275, 2595}));
    EXPECT_EQ(centredRowLefts(5070, {1200, 1200, 1200}, 120), QList<int>({615, 1935, 3255}));
    EXPECT_EQ(centredRowLefts(100, {10, 30}, 0), QList<int>({30, 40}));
    EXPECT_TRUE(centredRowLefts(5070, {}, 120).isEmpty());
}
