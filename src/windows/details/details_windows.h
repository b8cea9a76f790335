#pragma once

class PackageList;
class QWidget;
struct DetailTarget;

// Opens the details window that matches the target row's kind modally over the main window
// (disabled meanwhile, enabled again however the window closes). A rename there updates the row.
void openDetailsWindow(QWidget *mainWindow, PackageList *list, const DetailTarget &target);
