#include "windows/common/dialog_frame.h"

#include "skin/frame/jcforms.h"
#include "windows/common/twips.h"

#include <QApplication>
#include <QDialog>

skin::jcForms *setUpDialog(QDialog *dialog, QWidget *owner, const QString &name, const QString &caption,
                           int widthTwips, int heightTwips)
{
    dialog->setObjectName(name);
    dialog->setWindowTitle(caption);
    dialog->setWindowIcon(owner ? owner->window()->windowIcon() : QApplication::windowIcon());
    QFont font(QStringList{QStringLiteral("Tahoma"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPointSizeF(8.25);
    dialog->setFont(font);
    dialog->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    dialog->setFixedSize(twips(widthTwips), twips(heightTwips));

    auto *frame = new skin::jcForms(dialog);
    frame->setMaxButton(false);
    frame->setMinButton(false);
    frame->setBorderStyle(0);
    frame->setStyle(5);
    return frame;
}
