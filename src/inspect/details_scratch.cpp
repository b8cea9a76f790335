#include "inspect/details_scratch.h"

#include "inspect/command_runner.h"

DetailsScratch::DetailsScratch() : m_previous(ScratchFolder::current())
{
    ScratchFolder::setCurrent(ScratchFolder::Temp);
    ClearFolderInBackground(ScratchFolder::Temp);
}

DetailsScratch::~DetailsScratch()
{
    ClearFolderInBackground(ScratchFolder::Temp);
    ScratchFolder::setCurrent(m_previous);
}

QString DetailsScratch::path() const
{
    return ScratchFolder::path(ScratchFolder::Temp);
}

QString DetailsScratch::read(const QString &xmlName) const
{
    return ReadUtf8File(path() + xmlName);
}
