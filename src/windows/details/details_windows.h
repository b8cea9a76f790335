#pragma once

class PackageList;
class PackageReader;
class QWidget;
struct DetailTarget;

// Opens the details window that matches the target row's kind modally over the main window
// (disabled meanwhile, enabled again however the window closes). A rename there updates the row.
// The window fills when the reader has read the package again.
void openDetailsWindow(QWidget *mainWindow, PackageList *list, PackageReader *reader, const DetailTarget &target);
