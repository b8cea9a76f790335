// The badging report: what `aapt d badging` prints about a package, in the old style whose
// lines the program searches (CR LF line ends, values in single quotes after their key).
#pragma once

#include "byte_source.h"

#include <memory>
#include <string>

namespace aapt {

// Builds the report from the compiled manifest and the resource table (null when the package
// has none). Throws FormatError when either is malformed.
std::string badgingReport(ByteSource &manifest, ByteSource *table);

// Opens the package (for a bundle of split APKs, its base APK) and builds its report.
// Throws FormatError.
std::string badgingReportForFile(const std::string &path);
std::string badgingReportForArchive(std::shared_ptr<const ByteSource> bytes);

// Escapes a value the way the report always has: backslash, newline and double quote.
std::string quoteForOutput(const std::string &value);

} // namespace aapt
