#pragma once

#include <QIcon>

// The program's icon, in every size it was drawn at, from the resources built into the window library.
QIcon programIcon();
