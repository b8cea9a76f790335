#include "inspect/command_runner.h"

#include "core/program_folder.h"
#include "inspect/text_codec.h"
#include "platform/child_process.h"

#include <QFile>
#include <QFileInfo>

namespace {
int g_maxPolls = CommandRunner::kMaxPolls;
bool g_capturing = false;

QString describe(int number)
{
    switch (number) {
    case 53:
        return QStringLiteral("文件未找到");
    case 57:
        return QStringLiteral("设备 I/O 错误");
    case 70:
        return QStringLiteral("没有权限");
    case 75:
        return QStringLiteral("路径/文件访问错误");
    default:
        return QStringLiteral("应用程序定义的错误");
    }
}

// Error numbers of the file layer for a failed file operation.
int errorNumberFor(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::OpenError:
        return 75;
    case QFileDevice::PermissionsError:
        return 70;
    case QFileDevice::ReadError:
        return 57;
    case QFileDevice::RemoveError:
        return 75;
    default:
        return 75;
    }
}
} // namespace

namespace CommandRunner {

QString scratchOutputFile()
{
    return ProgramFolder::scratchRoot() + QStringLiteral("/tempinfor.txt");
}

QString errorText(int number)
{
    return QStringLiteral("错误: ") + QString::number(number) + QStringLiteral(" - ") + describe(number);
}

QString timeoutText()
{
    return QStringLiteral("错误: 操作已超时!");
}

void setMaxPollsForTests(int polls)
{
    g_maxPolls = polls;
}

} // namespace CommandRunner

QString CaptureCommandOutput(const ToolCommand &command)
{
    // The scratch file is shared by every capture: a second one would read or delete the first
    // one's output, so it is refused while another waits.
    if (g_capturing)
        return CommandRunner::errorText(70);
    g_capturing = true;
    struct Release
    {
        ~Release() { g_capturing = false; }
    } release;

    const QString scratch = CommandRunner::scratchOutputFile();
    if (QFileInfo::exists(scratch) && !QFile::remove(scratch))
        return CommandRunner::errorText(70);

    const qint64 timeoutMs = qint64(g_maxPolls) * CommandRunner::kPollIntervalMs;
    const ChildProcessResult run =
        runChildProcess(command.program, command.arguments, scratch, true, timeoutMs);
    if (run.outcome == ChildProcessResult::FailedToStart) {
        QFile::remove(scratch);
        return CommandRunner::errorText(run.programMissing ? 53 : 75);
    }
    if (run.outcome == ChildProcessResult::TimedOut) {
        QFile::remove(scratch);
        return CommandRunner::timeoutText();
    }

    QFile file(scratch);
    if (!file.exists())
        return QString(); // the tool wrote nothing at all
    if (!file.open(QIODevice::ReadOnly))
        return CommandRunner::errorText(errorNumberFor(file.error()));
    const QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    const QFileDevice::FileError readError = file.error();
    file.close();
    const bool removed = QFile::remove(scratch);
    if (readFailed)
        return CommandRunner::errorText(errorNumberFor(readError));
    if (!removed)
        return CommandRunner::errorText(75);
    return DecodeBytes(bytes, CodePage::Utf8);
}

bool RunHiddenAndWait(const ToolCommand &command)
{
    const ChildProcessResult run = runChildProcess(command.program, command.arguments, QString(), false, -1);
    return run.outcome != ChildProcessResult::FailedToStart;
}

QString ReadUtf8File(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return DecodeBytes(file.readAll(), CodePage::Utf8);
}
