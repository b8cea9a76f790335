// ForMsgx, the message box window: the prompt in a fixed label that neither wraps nor grows, and
// up to three skinned buttons centred in one row. It answers the code of the button pressed; a
// box closed any other way (Escape, the frame's close button) answers MessageResult::None.
#pragma once

#include "app/message_box_buttons.h"

#include <QDialog>
#include <array>

class QLabel;
namespace skin {
class jcForms;
class jcbutton;
} // namespace skin

class ForMsgx : public QDialog
{
    Q_OBJECT
public:
    // Owned by owner's window and modal to it; without an owner, modal to the whole program.
    explicit ForMsgx(QWidget *owner);

    // Shows the prompt, the title and the buttons of an already normalised style.
    void prepare(const QString &prompt, int style, const QString &title);
    int answer() const { return m_answer; }

    skin::jcForms *frame() const { return m_frame; }
    QLabel *lbText() const { return m_lbText; }
    skin::jcbutton *cmdButton(int index) const { return m_cmdButton.at(index); }

private:
    void press(int index);

    skin::jcForms *m_frame = nullptr;
    QLabel *m_lbText = nullptr;
    std::array<skin::jcbutton *, 3> m_cmdButton{};
    std::array<int, 3> m_buttonResult{};
    int m_answer = MessageResult::None;
};
