#pragma once

#include <QString>

// The store metadata an iOS package carries (its iTunesMetadata.plist) as XML text, for the raw
// metadata window: extracted and converted afresh on every call, so asking twice gives the same
// text. Empty for an Android package and for a package without the entry.
QString ReadStoreMetadataText(const QString &packagePath);
