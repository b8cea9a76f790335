#pragma once

#include "core/program_folder.h"

// Points the program folder and the scratch root elsewhere for one test and puts them back
// however the test ends.
class ProgramFolderGuard
{
public:
    ProgramFolderGuard(const QString &programFolder, const QString &scratchRoot)
    {
        ProgramFolder::overrideForTests(programFolder, scratchRoot);
    }
    ~ProgramFolderGuard() { ProgramFolder::overrideForTests({}, {}); }
    ProgramFolderGuard(const ProgramFolderGuard &) = delete;
    ProgramFolderGuard &operator=(const ProgramFolderGuard &) = delete;
};
