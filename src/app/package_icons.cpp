#include "app/package_icons.h"

#include "inspect/package_reader.h"
#include "platform/program_folder.h"
#include "platform/tool_run.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <utility>

PackageIcons::PackageIcons(QObject *parent, QString thumbnailer)
    : QObject(parent),
      m_thumbnailer(thumbnailer.isEmpty() ? ProgramFolder::path() + QStringLiteral("/tavrel-thumbnailer")
                                          : std::move(thumbnailer))
{
}

PackageIcons::~PackageIcons()
{
    stop();
    // The tools ended go with this object, killed and reaped; none of them calls back into it.
    for (ToolRun *tool : findChildren<ToolRun *>(Qt::FindDirectChildrenOnly))
        tool->disconnect();
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
    const bool running = std::any_of(m_running.cbegin(), m_running.cend(),
                                     [&key](const Run &run) { return run.request.key == key; });
    if (!running) {
        enqueue({key, path, size});
        startNext();
    }
    return {};
}

void PackageIcons::yieldTo(PackageReader *reader)
{
    if (m_reader)
        m_reader->disconnect(this);
    m_reader = reader;
    if (reader)
        connect(reader, &PackageReader::idle, this, &PackageIcons::startNext);
}

void PackageIcons::setHeld(bool held)
{
    m_held = held;
    if (!held) {
        startNext();
        return;
    }
    for (const Run &run : std::exchange(m_running, {})) {
        enqueue(run.request);
        withdraw(run);
    }
}

void PackageIcons::stop()
{
    for (const Run &run : std::exchange(m_running, {}))
        withdraw(run);
    m_waiting.clear();
    m_order.clear();
}

void PackageIcons::enqueue(const Request &request)
{
    if (!m_waiting.contains(request.key))
        m_waiting.insert(request.key, request);
    m_order.removeOne(request.key);
    m_order.append(request.key);
}

bool PackageIcons::mayStart() const
{
    return !m_held && m_scratch.isValid() && (!m_reader || m_reader->isIdle());
}

void PackageIcons::startNext()
{
    while (mayStart() && m_running.size() < MaxRunning && !m_order.isEmpty()) {
        const Request request = m_waiting.take(m_order.takeLast());
        if (!m_wanted || m_wanted(request.path, request.size))
            start(request);
    }
}

void PackageIcons::start(const Request &request)
{
    const QString output = m_scratch.filePath(QString::number(++m_runs) + QStringLiteral(".png"));
    auto *tool = new ToolRun(this);
    m_running.append({tool, request, output});
    connect(tool, &ToolRun::ended, this, [this, tool](const ToolRunResult &result) { finish(tool, result); });
    tool->start(m_thumbnailer, {QStringLiteral("-s"), QString::number(request.size), request.path, output},
                {TimeLimitMs, 64 * 1024});
}

void PackageIcons::finish(ToolRun *tool, const ToolRunResult &result)
{
    const auto run =
        std::find_if(m_running.begin(), m_running.end(), [tool](const Run &r) { return r.tool == tool; });
    if (run == m_running.end())
        return;
    const Request request = run->request;
    const QString output = run->output;
    m_running.erase(run);
    tool->deleteLater();
    QByteArray png;
    if (result.succeeded()) {
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

void PackageIcons::withdraw(const Run &run)
{
    ToolRun *tool = run.tool;
    tool->disconnect(this);
    connect(tool, &ToolRun::ended, tool, [tool, output = run.output] {
        QFile::remove(output);
        tool->deleteLater();
    });
    if (tool->isRunning())
        tool->stop();
    else
        tool->deleteLater();
}
