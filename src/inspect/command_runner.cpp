#include "inspect/command_runner.h"

#include "inspect/text_codec.h"
#include "platform/child_process.h"
#include "platform/program_folder.h"
#include "platform/scratch_files.h"

#include <QFile>
#include <QFileInfo>

namespace {
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

} // namespace CommandRunner

QString CaptureCommandOutput(const ToolCommand &command, const WaitLimit &limit)
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
    // Whatever stands at the name goes first, a link included (never followed), and the file is
    // made afresh, so the tool's output can only land in our own folder.
    if (!createFreshFile(scratch))
        return CommandRunner::errorText(70);

    const ChildProcessResult run = runChildProcess(command.program, command.arguments, scratch, true, limit);
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

bool RunHiddenAndWait(const ToolCommand &command, const WaitLimit &limit)
{
    const ChildProcessResult run =
        runChildProcess(command.program, command.arguments, QString(), false, limit);
    return run.outcome == ChildProcessResult::Finished;
}

QString ReadUtf8File(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return DecodeBytes(file.readAll(), CodePage::Utf8);
}
