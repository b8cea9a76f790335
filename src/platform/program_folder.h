#pragma once

#include <QString>

// The program folder holds tavrel and its sibling tools. Scratch files go there too when it is
// the user's own and writable; an installed copy uses the per-user cache instead.
namespace ProgramFolder {

// Folder of the running executable (links resolved), without a trailing separator.
QString path();

// Where the scratch folders ("temp/", "temp1/", ...) live, without a trailing separator.
QString scratchRoot();

// The scratch root for a program in programFolder: that folder for a copy of the user's own
// (a build folder) that is writable; otherwise, and always for an installed copy, the user's
// cache folder, made private (0700).
QString scratchRootFor(const QString &programFolder);

// Points the program folder and the scratch root somewhere else for as long as it lives (tests, and
// an instance that must keep its scratch files apart from another's); the previous places come back
// when it goes, also when a test fails half-way.
class ScopedOverride
{
public:
    ScopedOverride(const QString &programFolder, const QString &scratchRoot);
    ~ScopedOverride();
    ScopedOverride(const ScopedOverride &) = delete;
    ScopedOverride &operator=(const ScopedOverride &) = delete;

private:
    QString m_previousProgram;
    QString m_previousScratch;
};

} // namespace ProgramFolder
