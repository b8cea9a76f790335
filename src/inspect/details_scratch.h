#pragma once

#include "inspect/ipa_unpack.h"

#include <QString>

// The details windows unpack a package into the scratch folder "temp" of their own. The folder
// is cleared before, so that nothing an earlier package left there is read as this one's, and
// again when done; the scratch folder the intake had chosen is put back afterwards.
class DetailsScratch
{
public:
    DetailsScratch();
    ~DetailsScratch();
    DetailsScratch(const DetailsScratch &) = delete;
    DetailsScratch &operator=(const DetailsScratch &) = delete;

    QString path() const; // ends with '/'
    // The converted list of that name as text; the empty text when it is not there.
    QString read(const QString &xmlName) const;

private:
    ScratchFolder::Name m_previous;
};
