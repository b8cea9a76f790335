// The About window's pictures, painted here so the program ships no image files for them: the
// program's own picture (used when the main window has no icon) and the two pictures of the lower
// slots, a package with its name tag and a phone showing the renamed file.
#pragma once

#include <QPixmap>

QPixmap programPicture(int size);
QPixmap packagePicture(int size);
QPixmap phonePicture(int size);
