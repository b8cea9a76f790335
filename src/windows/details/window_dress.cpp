#include "windows/details/window_dress.h"

#include "skin/frame/jcforms.h"
#include "windows/common/twips.h"

skin::jcForms *dressDetailsWindow(QWidget *window, QWidget *owner, const QString &caption, int widthTwips,
                                  int heightTwips)
{
    window->setWindowTitle(caption);
    if (owner)
        window->setWindowIcon(owner->windowIcon());
    QFont f = window->font();
    f.setPointSize(9);
    window->setFont(f);
    window->setFixedSize(twips(widthTwips), twips(heightTwips));

    auto *frame = new skin::jcForms(window);
    frame->setMaxButton(false);
    frame->setMinButton(false);
    frame->setBorderStyle(0);
    frame->setStyle(5);
    return frame;
}
