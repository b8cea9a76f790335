// What the skinner keeps for one skinned widget: its kind, the pointer and button state the
// painting depends on, and what skinning changed so that unskinning can put it back.
#pragma once

#include "skin/skinner/button_skin.h"
#include "skin/skinner/skin_kind.h"

#include <QFrame>
#include <QPointer>
#include <QRegion>
#include <memory>

namespace skin {

struct SkinRecord
{
    SkinKind kind = SkinKind::Other;
    QPointer<QWidget> widget;
    bool mouseOver = false;
    bool mouseDown = false; // combo, check and option: the left button or the space key held
    int hotItem = -1;       // header: logical index under the pointer
    int pressedItem = -1;   // header: logical index pressed
    std::unique_ptr<ButtonSkin> button;

    // Put back on unskin.
    QRegion oldMask;
    QFrame::Shape oldShape = QFrame::NoFrame;
    QFrame::Shadow oldShadow = QFrame::Plain;
    int oldLineWidth = 0;
    bool oldTracking = false;
};

} // namespace skin
