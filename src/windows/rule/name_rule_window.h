#pragma once

class QWidget;

// Opens the naming-rule window modally over the main window (which is disabled meanwhile).
void openNameRuleWindow(QWidget *mainWindow);
