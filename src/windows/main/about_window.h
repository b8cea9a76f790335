#pragma once

#include <QDialog>
#include <QString>

class QLabel;
namespace skin {
class jcForms;
class jcbutton;
} // namespace skin

// The credit line: the program and its version.
QString creditLine();
// The About text shown from the frame's window menu and the popup menu: the main window's caption,
// the credit line and the date, on three lines (CR LF).
QString aboutText();
// Opens the About window modally over the owner (which stays enabled).
void openAboutWindow(QWidget *owner);

// ForMail, the About window: the program's picture, the main window's caption, the credit line and
// the date, two pictures below and "退出".
class ForMail : public QDialog
{
    Q_OBJECT
public:
    explicit ForMail(QWidget *owner);

    skin::jcForms *frame() const { return m_frame; }
    QLabel *captionLabel() const { return m_caption; }
    skin::jcbutton *exitButton() const { return m_exit; }

private:
    skin::jcForms *m_frame = nullptr;
    QLabel *m_caption = nullptr;
    skin::jcbutton *m_exit = nullptr;
};
