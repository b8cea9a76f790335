#include "windows/main/file_manager_commands.h"

#include "platform/file_manager_entry.h"
#include "windows/common/message_box.h"

#include <QCoreApplication>

namespace {

void showNotice(QWidget *owner, const FileManagerEntry::Notice &notice)
{
    int style = 0;
    dwMessageBox(notice.text, style, notice.title, owner);
}

} // namespace

void addFileManagerEntry(QWidget *owner)
{
    const QString program = FileManagerEntry::programForEntries(QCoreApplication::applicationFilePath());
    showNotice(owner, FileManagerEntry::addEntry(program));
}

void removeFileManagerEntry(QWidget *owner)
{
    showNotice(owner, FileManagerEntry::removeEntry());
}
