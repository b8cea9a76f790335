#pragma once

#include <QRect>

// Window geometry is given in twips: 15 to a pixel at 96 dots per inch. Every window converts
// through these, so one rounding holds everywhere.
inline int twips(int value)
{
    return (value + 7) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
