#pragma once

#include <QString>
#include <QUrl>

// Addresses of a package's page in the public app stores, for the details windows' store
// buttons. Identifiers are percent-encoded, so whatever the user typed into the identifier field
// stays inside its query value.

// The Android store page for a package name.
QUrl PlayStoreUrl(const QString &packageName);

// The iOS store: the app's own page when the store item id is known (digits only), otherwise the
// store's search for the bundle identifier.
QUrl AppStoreUrl(const QString &storeItemId, const QString &bundleIdentifier);

// The store item id ("itemId") of a converted iTunesMetadata list: the digits of the number
// element right after the key; empty when there is none.
QString StoreItemId(const QString &metadataXml);
