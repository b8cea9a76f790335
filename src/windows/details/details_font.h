#pragma once

#include "windows/common/program_fonts.h"

#include <QWidget>

// The details windows show their many fields in 9-point text.
inline void setDetailsFont(QWidget *window)
{
    window->setFont(songtiFont());
}
