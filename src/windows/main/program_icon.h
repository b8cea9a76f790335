#pragma once

#include <QIcon>

// The program's icon from the program's resources; a null icon while none is built in.
QIcon programIcon();
