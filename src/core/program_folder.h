#pragma once

#include <QString>

// The program folder holds tavrel and its sibling tools. Scratch files go there too when it is
// writable; an installed copy in a read-only folder uses the per-user cache instead.
namespace ProgramFolder {

// Folder of the running executable, without a trailing separator.
QString path();

// Where "tempinfor.txt", "temp/" and "temp1/" live, without a trailing separator.
QString scratchRoot();

// Lets tests point the program folder and the scratch root somewhere else.
void overrideForTests(const QString &programFolder, const QString &scratchRoot);

} // namespace ProgramFolder
