#include "inspect/store_links.h"

#include <utility>

namespace {

bool isDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QUrl withEncodedValue(const char *prefix, const QString &value)
{
    return QUrl::fromEncoded(QByteArray(prefix) + QUrl::toPercentEncoding(value), QUrl::StrictMode);
}

} // namespace

QUrl PlayStoreUrl(const QString &packageName)
{
    return withEncodedValue("https://play.google.com/store/apps/details?id=", packageName);
}

QUrl AppStoreUrl(const QString &storeItemId, const QString &bundleIdentifier)
{
    if (isDigits(storeItemId))
        return QUrl(QStringLiteral("https://apps.apple.com/app/id") + storeItemId);
    return withEncodedValue("https://apps.apple.com/search?term=", bundleIdentifier);
}

QString StoreItemId(const QString &metadataXml)
{
    const QString key = QStringLiteral("<key>itemId</key>");
    const qsizetype at = metadataXml.indexOf(key);
    if (at < 0)
        return QString();
    QStringView rest = QStringView(metadataXml).mid(at + key.size()).trimmed();
    // Store metadata writes the id as an integer; some tools write it as a string.
    for (const auto &[open, close] : {std::pair{QLatin1String("<integer>"), QLatin1String("</integer>")},
                                      std::pair{QLatin1String("<string>"), QLatin1String("</string>")}}) {
        if (!rest.startsWith(open))
            continue;
        const qsizetype end = rest.indexOf(close);
        if (end < 0)
            return QString();
        const QStringView digits = rest.mid(open.size(), end - open.size()).trimmed();
        return isDigits(digits) ? digits.toString() : QString();
    }
    return QString();
}
