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
}

TEST(TextCodec, UnknownCodePageGivesNothing)
{
    EXPECT_TRUE(DecodeBytes("abc", 12345).isEmpty());
    EXPECT_TRUE(EncodeText("abc", 12345).isEmpty());
}
