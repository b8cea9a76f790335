// Split-APK bundles (.xapk, .apks, .apkm): a zip whose members are APKs, one of them the base
// APK, the rest splits that add configurations. The name of the file decides nothing: an
// archive without a manifest of its own but with APK members is taken as a bundle.
#pragma once

#include "zip_archive.h"

namespace aapt {

// True when the archive is no APK itself (no AndroidManifest.xml) but holds APK members.
bool isBundle(const ZipArchive &archive);

// The bundle's base APK: the one member APK whose manifest has no split attribute, read in
// place when stored and inflated into memory when deflated. Throws FormatError when no member
// or more than one qualifies, when a member is encrypted, or when the members would inflate
// to more than a package ever holds.
ZipArchive openBaseApk(const ZipArchive &bundle);

} // namespace aapt
