// What one painting of the multistyle button depends on, gathered once per paint.
#pragma once

#include "skin/button/jcbutton.h"

namespace skin {

struct jcbutton::Look
{
    int w = 0;
    int h = 0;
    jcbutton::Style style = jcbutton::StandardStyle;
    int state = StateNormal;
    bool enabled = true;
    bool checked = false;    // check mode with Value set
    bool ownChecked = false; // the style draws its own checked look
    bool focusLook = false;  // container active and the button focused or default
    ColourRef back = 0;
    ColourRef fore = 0;
};

} // namespace skin
