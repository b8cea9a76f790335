#pragma once

#include <QString>

// The row whose details window is open: its folder, file name and list position (0: none).
struct DetailTarget
{
    QString folder;
    QString fileName;
    int position = 0;
};
