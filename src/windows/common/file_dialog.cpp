#include "windows/common/file_dialog.h"

#include "app/open_request.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace {
FileDialogAnswers *g_answers = nullptr;
}

FileDialogAnswers::FileDialogAnswers(QList<QStringList> answers)
    : m_answers(std::move(answers)), m_previous(g_answers)
{
    g_answers = this;
}

FileDialogAnswers::~FileDialogAnswers()
{
    g_answers = m_previous;
}

QStringList FileDialogAnswers::next()
{
    ++m_asked;
    return m_answers.isEmpty() ? QStringList() : m_answers.takeFirst();
}

QStringList chooseFilesToAdd(QWidget *owner)
{
    if (g_answers)
        return g_answers->next();
    // Qt's own dialog: the same look under every desktop, and one a test or a script can type into.
    return QFileDialog::getOpenFileNames(
        owner, QCoreApplication::translate("FileDialog", "添加APK程序[支持多选]"), QString(),
        QCoreApplication::translate("FileDialog", "安卓(apk)/苹果(ipa) (%1)")
            .arg(OpenRequest::dialogPatterns().join(QLatin1Char(' '))),
        nullptr, QFileDialog::DontUseNativeDialog | QFileDialog::ReadOnly);
}
