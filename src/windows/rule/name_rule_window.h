#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
namespace skin {
class jcForms;
class jcbutton;
} // namespace skin

// Opens the naming-rule window modally over the main window, which stays disabled until the window
// has closed, however it closes.
void openNameRuleWindow(QWidget *mainWindow);

// FoPrint, the naming-rule window: the stored rule in an editable list of ready-made rules,
// "保存" takes a rule holding both placeholders into use and stores it, "退出" leaves everything as
// it was. A refused rule is answered with a message and changes nothing.
class FoPrint : public QDialog
{
    Q_OBJECT
public:
    explicit FoPrint(QWidget *mainWindow);

    skin::jcForms *frame() const { return m_frame; }
    QComboBox *Combo1() const { return m_combo; }
    skin::jcbutton *ComPrint() const { return m_save; }
    skin::jcbutton *ComExit() const { return m_exit; }

private:
    void save();

    skin::jcForms *m_frame = nullptr;
    QComboBox *m_combo = nullptr;
    skin::jcbutton *m_save = nullptr;
    skin::jcbutton *m_exit = nullptr;
};
