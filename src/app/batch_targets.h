#pragma once

#include <QString>
#include <QStringList>

// The packages a batch run works on, gathered from the paths on the command line: a named file
// as it is, a folder's packages directly inside it (and, recursive, in its sub-folders). Files
// that are no package inside a folder are passed over; a named one is a problem of its own.
struct BatchTargets
{
    struct Problem
    {
        QString path;   // as given on the command line
        QString reason; // one line
    };

    QStringList packages; // in the order given; folders in name order, files before sub-folders
    QList<Problem> problems;
};

BatchTargets collectBatchTargets(const QStringList &paths, bool recursive);
