#pragma once

#include <QString>

// The program folder holds tavrel and its sibling tools. Scratch files go there too when it is
// writable; an installed copy in a read-only folder uses the per-user cache instead.
namespace ProgramFolder {

// Folder of the running executable (links resolved), without a trailing separator.
QString path();

// Where the scratch folders ("temp/", "temp1/", ...) live, without a trailing separator.
QString scratchRoot();

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
