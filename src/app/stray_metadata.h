#pragma once

// Deletes an "iTunesMetadata.plist" standing directly in the program folder: a file left there by
// other tools is not the package's and must not be read as its store metadata.
void RemoveStrayStoreMetadata();
