#pragma once

#include <QList>
#include <QStringList>

class QWidget;

// The open-file dialog that adds packages: several existing files, titled "添加APK程序[支持多选]",
// filtered to "*.apk *.ipa". Returns the chosen paths in the dialog's order, empty when cancelled.
QStringList chooseFilesToAdd(QWidget *owner);

// Answers the next dialogs instead of showing them, for as long as it lives (tests). Each ask
// takes the next answer; once they run out, the dialog counts as cancelled.
class FileDialogAnswers
{
public:
    explicit FileDialogAnswers(QList<QStringList> answers);
    ~FileDialogAnswers();
    FileDialogAnswers(const FileDialogAnswers &) = delete;
    FileDialogAnswers &operator=(const FileDialogAnswers &) = delete;

    // How many dialogs were asked for while it lived.
    int asked() const { return m_asked; }

private:
    friend QStringList chooseFilesToAdd(QWidget *owner);
    QStringList next();

    QList<QStringList> m_answers;
    int m_asked = 0;
    FileDialogAnswers *m_previous;
};
