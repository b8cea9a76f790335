// What the program's message box shows for a style code and what each button answers: the style
// normalisation, the button sets with their captions and result codes, and the centred button row.
// Pure functions, so the box's rules are tested without a window.
#pragma once

#include <QList>
#include <QString>

// The box's result codes; they are the program's own, not the platform's.
namespace MessageResult {
enum Code { None = 0, Ok = 1, Cancel = 2, Ignore = 3, Yes = 4, No = 5 };
}

struct MessageButton
{
    QString caption;
    int result = MessageResult::None;
};

// 16..31, 32..47, 48..63 and 64..79 lose their high part (16, 32, 48, 64); every other value
// stays as it is.
int normaliseMessageStyle(int style);

// The buttons of a normalised style, left to right: 0 OK; 1 OK, Cancel; 2 OK, Ignore; 3 Yes, No;
// 4 Yes, No, Cancel; any other style has none.
QList<MessageButton> messageButtons(int style);

// Left edges of a row of widths centred in outerWidth with gap between neighbours (any unit).
QList<int> centredRowLefts(int outerWidth, const QList<int> &widths, int gap);
