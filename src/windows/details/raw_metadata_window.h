#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace skin {
class jcForms;
}

// The raw metadata window: the store metadata an iOS package carries, converted to XML, as plain
// editable text (nothing reads it back). Read afresh when the window is made; empty for an
// Android package and for a package without the entry.
class ForShow : public QDialog
{
    Q_OBJECT
public:
    ForShow(QWidget *owner, const QString &packagePath);

    QPlainTextEdit *text() const { return m_text; }
    skin::jcForms *frame() const { return m_frame; }

private:
    skin::jcForms *m_frame;
    QPlainTextEdit *m_text;
};
