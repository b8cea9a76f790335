#include "app/package_icons.h"

#include "platform/program_folder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

PackageIcons::PackageIcons(QObject *parent, QString thumbnailer)
    : QObject(parent),
      m_thumbnailer(thumbnailer.isEmpty() ? ProgramFolder::path() + QStringLiteral("/tavrel-thumbnailer")
                                          : std::move(thumbnailer))
{
}

QByteArray PackageIcons::icon(const QString &path, int size)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    const QString key = path + QChar(u'\n') + QString::number(size) + QChar(u'\n') +
                        QString::number(info.lastModified().toMSecsSinceEpoch()) + QChar(u'\n') +
                        QString::number(info.size());
    const auto known = m_known.constFind(key);
    if (known != m_known.constEnd())
        return *known;
    if (!m_waiting.contains(key))
        m_waiting.insert(key, {key, path, size});
    m_order.removeOne(key);
    m_order.append(key);
    startNext();
    return {};
}

void PackageIcons::startNext()
{
    while (m_running < MaxRunning && !m_order.isEmpty() && m_scratch.isValid()) {
        const Request request = m_waiting.take(m_order.takeLast());
        const QString output = m_scratch.filePath(QString::number(++m_runs) + QStringLiteral(".png"));
        auto *process = new QProcess(this);
        ++m_running;
        auto *timer = new QTimer(process);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, process, &QProcess::kill);
        connect(process, &QProcess::finished, this,
                [this, process, request, output](int code, QProcess::ExitStatus status) {
                    finish(request, output, status == QProcess::NormalExit && code == 0);
                    process->deleteLater();
                });
        connect(process, &QProcess::errorOccurred, this,
                [this, process, request, output](QProcess::ProcessError error) {
                    if (error != QProcess::FailedToStart)
                        return; // a crash or a kill ends in finished as well
                    finish(request, output, false);
                    process->deleteLater();
                });
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(m_thumbnailer,
                       {QStringLiteral("-s"), QString::number(request.size), request.path, output});
        timer->start(TimeLimitMs);
    }
}

void PackageIcons::finish(const Request &request, const QString &output, bool ok)
{
    --m_running;
    QByteArray png;
    if (ok) {
        QFile file(output);
        if (file.open(QIODevice::ReadOnly))
            png = file.read(4 << 20);
    }
    QFile::remove(output);
    m_known.insert(request.key, png);
    if (!png.isEmpty())
        emit iconReady(request.path, request.size);
    startNext();
}
