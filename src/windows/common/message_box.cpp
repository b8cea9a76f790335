#include "windows/common/message_box.h"

#include <QMessageBox>

// Stand-in until the skinned box lands: OK, or Yes/No for the question styles.
int dwMessageBox(const QString &prompt, int &style, const QString &title, QWidget *owner)
{
    const bool question = (style & 7) == 4 || (style & 7) == 3;
    QMessageBox box(QMessageBox::NoIcon, title, prompt,
                    question ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, owner);
    const int pressed = box.exec();
    if (pressed == QMessageBox::Yes)
        return MessageResult::Yes;
    if (pressed == QMessageBox::No)
        return MessageResult::No;
    if (pressed == QMessageBox::Ok)
        return MessageResult::Ok;
    return MessageResult::None;
}
