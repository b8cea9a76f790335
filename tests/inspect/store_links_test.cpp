#include "inspect/store_links.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

TEST(StoreLinks, PlayStorePageCarriesTheIdentifierPercentEncoded)
{
    EXPECT_EQ(PlayStoreUrl("com.tencent.mm").toString(QUrl::FullyEncoded),
              "https://play.google.com/store/apps/details?id=com.tencent.mm");
    EXPECT_EQ(PlayStoreUrl("UnKnown").toString(QUrl::FullyEncoded),
              "https://play.google.com/store/apps/details?id=UnKnown");
    // Whatever was typed into the field stays inside the one query value.
    for (const QString &typed : {QStringLiteral("a&b=c#d"), QStringLiteral("com.x app+1"),
                                 QStringLiteral("微信/../?"), QStringLiteral("%41%")}) {
        const QUrl url = PlayStoreUrl(typed);
        ASSERT_TRUE(url.isValid()) << typed.toStdString();
        EXPECT_EQ(url.host(), "play.google.com");
        EXPECT_EQ(url.path(), "/store/apps/details");
        EXPECT_EQ(url.fragment(), "");
        const QUrlQuery query(url);
        EXPECT_EQ(query.queryItems().size(), 1);
        EXPECT_EQ(query.queryItemValue("id", QUrl::FullyDecoded), typed);
    }
}

TEST(StoreLinks, AppStoreUsesTheItemIdElseSearchesForTheBundle)
{
    EXPECT_EQ(AppStoreUrl("414478124", "com.tencent.xin").toString(QUrl::FullyEncoded),
              "https://apps.apple.com/app/id414478124");
    const QUrl search = AppStoreUrl("", "com.tencent.xin");
    EXPECT_EQ(search.toString(QUrl::FullyEncoded), "https://apps.apple.com/search?term=com.tencent.xin");
    // An id that is not all digits is no id; the identifier is searched for, encoded.
    const QUrl odd = AppStoreUrl("12/../3", "a b&c");
    EXPECT_EQ(odd.path(), "/search");
    EXPECT_EQ(QUrlQuery(odd).queryItemValue("term", QUrl::FullyDecoded), "a b&c");
}

TEST(StoreLinks, StoreItemIdIsTheNumberRightAfterItsKey)
{
    EXPECT_EQ(StoreItemId("<key>itemId</key>\n\t<integer>414478124</integer>"), "414478124");
    EXPECT_EQ(StoreItemId("<key>itemId</key><string>42</string>"), "42");
    EXPECT_EQ(StoreItemId("<key>itemId</key>\n\t<integer>-3</integer>"), "");
    EXPECT_EQ(StoreItemId("<key>itemId</key>\n\t<string>abc</string>"), "");
    // Not the first number somewhere after the key: the element right after it.
    EXPECT_EQ(StoreItemId("<key>itemId</key><true/><key>n</key><integer>7</integer>"), "");
    EXPECT_EQ(StoreItemId("<key>itemName</key><string>7</string>"), "");
    EXPECT_EQ(StoreItemId("<key>itemId</key><integer>7"), "");
}
