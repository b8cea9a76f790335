#include "windows/common/dialog_frame.h"

#include "skin/frame/jcforms.h"
#include "windows/common/program_fonts.h"
#include "windows/common/twips.h"

#include <QApplication>
#include <QDialog>

skin::jcForms *dressWindow(QWidget *window, QWidget *owner, const QString &caption, int widthTwips,
                           int heightTwips)
{
    window->setWindowTitle(caption);
    window->setWindowIcon(owner ? owner->window()->windowIcon() : QApplication::windowIcon());
    window->setFixedSize(twips(widthTwips), twips(heightTwips));

    auto *frame = new skin::jcForms(window);
    frame->setMaxButton(false);
    frame->setMinButton(false);
    frame->setBorderStyle(0);
    frame->setFrameStyle(5);
    return frame;
}

skin::jcForms *setUpDialog(QDialog *dialog, QWidget *owner, const QString &name, const QString &caption,
                           int widthTwips, int heightTwips)
{
    dialog->setObjectName(name);
    dialog->setFont(tahomaFont());
    dialog->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    return dressWindow(dialog, owner, caption, widthTwips, heightTwips);
}
