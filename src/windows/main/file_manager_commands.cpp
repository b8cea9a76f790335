#include "windows/main/file_manager_commands.h"

// Stand-ins until the file-manager entry is wired in.
void addFileManagerEntry(QWidget *) {}

void removeFileManagerEntry(QWidget *) {}
