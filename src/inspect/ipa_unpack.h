#pragma once

#include <QString>

// Unpacking an IPA: its property lists are extracted into one of two scratch folders, "temp" and
// "temp1", and converted to "Info.xml", "InfoPlist.xml" and "iTunesMetadata.xml" there.
namespace ScratchFolder {
enum Name { Temp, Temp1 };

QString folderName(Name name); // "temp" or "temp1"
QString path(Name name);       // full path, ending with '/'
Name current();
void setCurrent(Name name);
QString currentPath();

// At least one ordinary, not hidden file stands directly in the folder.
bool holdsFiles(Name name);
} // namespace ScratchFolder

// Picks the scratch folder for the next IPA: the one the previous IPA filled is cleared while the
// other is used; with both free, "temp".
void ChooseScratchFolder();

// Moves the folder aside under a unique name at once, then deletes it on a background thread, so
// an unpack into a folder of the same name never meets the clearing. Left-over folders of an
// earlier run that ended mid-way are swept up too.
void ClearFolderInBackground(ScratchFolder::Name name);
void ClearBothFoldersInBackground();
// Blocks until every clearing started so far has ended (before the program exits).
void WaitForBackgroundClearing();

// Three runs of 7za into the current scratch folder: iTunesMetadata.plist, InfoPlist.strings,
// info.plist.
void ExtractPlistMembers(const QString &packagePath);

// Walks the folder (its own entries first, then its subfolders, each sorted by name) and converts
// the application bundle's Info.plist, the Chinese InfoPlist.strings and iTunesMetadata.plist into
// the current scratch folder. False when a folder could not be read.
bool FindAndConvertPlists(const QString &folder);

void UnpackIpa(const QString &packagePath);

namespace ScratchOutput {
inline QString info()
{
    return QStringLiteral("Info.xml");
}
inline QString infoPlistStrings()
{
    return QStringLiteral("InfoPlist.xml");
}
inline QString storeMetadata()
{
    return QStringLiteral("iTunesMetadata.xml");
}
} // namespace ScratchOutput
