#include "windows/common/button_looks.h"

#include "skin/button/jcbutton.h"
#include "windows/common/program_fonts.h"

namespace {
// Colour references: red in the low byte.
constexpr skin::ColourRef kDarkBlue = 0x9C6113;  // RGB 19, 97, 156
constexpr skin::ColourRef kLightGrey = 0xE3E3E3; // RGB 227, 227, 227
constexpr skin::ColourRef kWhite = 0xFFFFFF;
} // namespace

void dressButton(skin::jcbutton *button, ButtonLook look)
{
    using skin::jcbutton;
    switch (look) {
    case ButtonLook::Command:
    case ButtonLook::BoxCommand:
        button->setButtonStyle(jcbutton::ShadowStyle);
        button->setShowFocusRect(true);
        button->setBackColor(kDarkBlue);
        button->setForeColor(kWhite);
        button->setFont(look == ButtonLook::Command ? songtiFont() : tahomaFont());
        break;
    case ButtonLook::DetailsExit:
        // The style's own face (RGB 0, 109, 170) and white caption.
        button->setButtonStyle(jcbutton::ShadowStyle);
        button->setShowFocusRect(true);
        break;
    case ButtonLook::DetailsPlain:
        button->setButtonStyle(jcbutton::StandardStyle);
        break;
    case ButtonLook::DetailsInfo:
        button->setButtonStyle(jcbutton::InfoStyle);
        break;
    case ButtonLook::AboutExit:
        button->setButtonStyle(jcbutton::SoftStyle);
        button->setBackColor(kLightGrey);
        break;
    }
}
