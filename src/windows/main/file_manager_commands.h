#pragma once

class QWidget;

// The two buttons that add and remove the program's entry in the file managers' menus.
void addFileManagerEntry(QWidget *owner);
void removeFileManagerEntry(QWidget *owner);
