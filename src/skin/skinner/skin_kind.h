// What the control skinner makes of a widget. Qt classes take the place of window class
// names: top-level windows are containers whose descendants are walked; the standard
// controls below are painted in the skin; anything else is hooked without painting.
#pragma once

class QWidget;

namespace skin {

enum class SkinKind {
    Container,    // a top-level window (main window, dialog, a combo's drop-down)
    PushButton,   // QPushButton
    ComboBox,     // QComboBox
    CheckBox,     // QCheckBox
    OptionButton, // QRadioButton
    ProgressBar,  // QProgressBar
    Header,       // the viewport of a QHeaderView, where its items are painted
    ListBox,      // QListView and its kin, a combo's drop-down list among them
    Other
};

SkinKind skinKindOf(const QWidget *widget);

} // namespace skin
