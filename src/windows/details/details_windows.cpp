#include "windows/details/details_windows.h"

// Stand-in until the windows land.
void openDetailsWindow(QWidget *, PackageList *, const DetailTarget &) {}
