#pragma once

#include <QString>
#include <span>

// Android permission names with a short description each (Chinese, translated as the program
// speaks), for the APK details window.
// A fixed table in a fixed order; lookup is exact and case-sensitive, and a name the table lacks
// gives the empty text, so the window shows no line for it.
namespace PermissionCatalogue {

struct Entry
{
    const char *name;        // ASCII
    const char *description; // UTF-8, the Chinese source text; describe() gives it translated
};

// The description of the permission, or the empty text. The name is compared as it stands.
QString describe(const QString &permissionName);

// The whole table in its order (for tests and listings).
std::span<const Entry> entries();

} // namespace PermissionCatalogue
