#include "windows/common/dialog_frame.h"

#include "skin/frame/jcforms.h"

#include <QApplication>

skin::jcForms *dressDialogFrame(QWidget *dialog)
{
    auto *frame = new skin::jcForms(dialog);
    frame->setMaxButton(false);
    frame->setMinButton(false);
    frame->setBorderStyle(0);
    frame->setStyle(5);
    return frame;
}

QIcon ownerIcon(QWidget *owner)
{
    return owner ? owner->window()->windowIcon() : QApplication::windowIcon();
}

QFont dialogFont()
{
    QFont font(QStringList{QStringLiteral("Tahoma"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPointSizeF(8.25);
    return font;
}
