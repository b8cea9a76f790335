#include "inspect/text_codec.h"

#include <gtest/gtest.h>

TEST(TextCodec, Utf8RoundTripAndInvalidBytesDoNotStopDecoding)
{
    const QString chinese = QStringLiteral("微信 8.0.1 😀");
    EXPECT_EQ(DecodeBytes(EncodeText(chinese, CodePage::Utf8), CodePage::Utf8), chinese);

    const QString decoded = DecodeBytes(QByteArray("ab\xff\xfe"
                                                   "cd",
                                                   6),
                                        CodePage::Utf8);
    EXPECT_TRUE(decoded.startsWith("ab"));
    EXPECT_TRUE(decoded.endsWith("cd"));
    EXPECT_TRUE(decoded.contains(QChar(QChar::ReplacementCharacter)));
}

TEST(TextCodec, GbkHoldsChineseAndMarksWhatItCannotHold)
{
    const QByteArray gbk = EncodeText(QStringLiteral("微信"), CodePage::Gbk);
    EXPECT_EQ(gbk, QByteArray("\xce\xa2\xd0\xc5"));
    EXPECT_EQ(DecodeBytes(gbk, CodePage::Gbk), QStringLiteral("微信"));

    // Emoji and Hangul have no GBK form: each becomes one '?', the rest is kept.
    EXPECT_EQ(EncodeText(QStringLiteral("a😀b한c"), CodePage::Gbk), QByteArray("a?b?c"));

    const QString broken = DecodeBytes(QByteArray("\xce\xa2\xff"
                                                  "x"),
                                       CodePage::Gbk);
    EXPECT_TRUE(broken.startsWith(QStringLiteral("微")));
    EXPECT_TRUE(broken.endsWith("x"));
    // A lead byte cut off at the end is marked too, not dropped.
    EXPECT_EQ(DecodeBytes(QByteArray("a\xce"), CodePage::Gbk), QStringLiteral("a\uFFFD"));
}

TEST(TextCodec, GbkFollowsCodePage936ForFormatCharactersAndUserDefinedAreas)
{
    // Joiners and direction marks have no GBK form and leave no '?' behind either.
    EXPECT_EQ(EncodeText(QStringLiteral("a\u200Db\u200Fc"), CodePage::Gbk), QByteArray("abc"));
    // The private-use characters of code page 936's user-defined areas go through and back.
    const QString privateUse = QStringLiteral("\uE000\uE4C5");
    const QByteArray userDefined = EncodeText(privateUse, CodePage::Gbk);
    EXPECT_EQ(userDefined, QByteArray("\xaa\xa1\xfe\xfe"));
    EXPECT_EQ(DecodeBytes(userDefined, CodePage::Gbk), privateUse);
}

TEST(TextCodec, UnknownCodePageGivesNothing)
{
    EXPECT_TRUE(DecodeBytes("abc", 12345).isEmpty());
    EXPECT_TRUE(EncodeText("abc", 12345).isEmpty());
}
