#include "windows/common/url_opener.h"

#include <QDesktopServices>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace UrlOpener {

namespace {

ScopedFake *g_fake = nullptr;

void reportLater(QObject *context, const std::function<void()> &failed)
{
    QTimer::singleShot(0, context, failed);
}

} // namespace

void open(const QUrl &url, QObject *context, const std::function<void()> &failed)
{
    if (g_fake) {
        g_fake->m_opened << url;
        if (!g_fake->m_succeed)
            reportLater(context, failed);
        return;
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(url))
            reportLater(context, failed);
        return;
    }
    // xdg-open answers through its exit status, sometimes only once the browser it started has
    // ended; the process is therefore followed through its signals, never waited for. It has no
    // parent, so that closing the window that asked neither kills it nor the browser it starts.
    auto *process = new QProcess;
    process->setProgram(opener);
    process->setArguments({url.toString(QUrl::FullyEncoded)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    const QPointer<QObject> asker(context);
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, asker, failed](QProcess::ProcessError error) {
                         // A crash or a kill is followed by finished(); only a start that failed ends here.
                         if (error != QProcess::FailedToStart)
                             return;
                         if (asker)
                             failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, asker, failed](int exitCode, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || exitCode != 0) && asker)
                             failed();
                         process->deleteLater();
                     });
    process->start();
}

ScopedFake::ScopedFake(bool succeed) : m_succeed(succeed), m_previous(g_fake)
{
    g_fake = this;
}

ScopedFake::~ScopedFake()
{
    g_fake = m_previous;
}

} // namespace UrlOpener
