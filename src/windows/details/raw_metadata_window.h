#pragma once

#include <QDialog>

class PackageReader;
class QPlainTextEdit;

namespace skin {
class jcForms;
}

// The raw metadata window: the store metadata an iOS package carries, converted to XML, as plain
// editable text (nothing reads it back). Read afresh when the window is made; empty for an
// Android package (which is not even opened) and for a package without the entry.
class ForShow : public QDialog
{
    Q_OBJECT
public:
    // Has the reader read the package's store metadata; the text fills when it has (loaded() then).
    ForShow(QWidget *owner, const QString &packagePath, PackageReader *reader);
    bool isLoaded() const { return m_loaded; }

signals:
    void loaded();

public:

    QPlainTextEdit *text() const { return m_text; }
    skin::jcForms *frame() const { return m_frame; }

private:
    skin::jcForms *m_frame;
    QPlainTextEdit *m_text;
    quint64 m_ticket = 0;
    bool m_loaded = false;
};
