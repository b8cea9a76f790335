#pragma once

namespace skin {
class jcbutton;
}

// The looks of the program's buttons, one per kind, so that every window dresses its buttons
// the same way.
enum class ButtonLook {
    Command,      // main window and naming-rule window: style 5, dark blue face, white caption, 宋体 9 pt
    BoxCommand,   // the message box: the same in Tahoma 8.25 pt
    DetailsExit,  // the details windows' exit: style 5 in the lighter blue the style brings
    DetailsPlain, // store page and rename on the details windows: style 1 in the system colours
    DetailsInfo,  // "Info.": style 3
    AboutExit     // the About window's exit: style 4 on light grey
};

// Sets the button's style, colours, focus rectangle and font for its kind.
void dressButton(skin::jcbutton *button, ButtonLook look);
