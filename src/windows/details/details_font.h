#pragma once

#include <QFont>
#include <QWidget>

// The details windows show their many fields in 9-point text.
inline void setDetailsFont(QWidget *window)
{
    QFont font = window->font();
    font.setPointSize(9);
    window->setFont(font);
}
