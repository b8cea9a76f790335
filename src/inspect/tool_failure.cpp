#include "inspect/tool_failure.h"

#include <QCoreApplication>

#include "inspect/text_codec.h"

namespace {
QString firstLine(const QByteArray &error)
{
    const QString text = DecodeBytes(error, CodePage::Utf8).trimmed();
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    return (end < 0 ? text : text.left(end)).trimmed();
}
} // namespace

QString toolFailureText(const QString &toolName, const ToolRunResult &result)
{
    switch (result.outcome) {
    case ToolRunResult::Finished: {
        if (result.exitCode == 0)
            return QString();
        const QString message = firstLine(result.error);
        const QString text = toolName + QCoreApplication::translate("ToolFailure", " 退出码 ") +
                             QString::number(result.exitCode);
        return message.isEmpty() ? text : text + QStringLiteral(": ") + message;
    }
    case ToolRunResult::FailedToStart:
        return toolName + (result.programMissing ? QCoreApplication::translate("ToolFailure", " 不存在")
                                                 : QCoreApplication::translate("ToolFailure", " 无法启动"));
    case ToolRunResult::TimedOut:
        return toolName + QCoreApplication::translate("ToolFailure", " 超时");
    case ToolRunResult::Crashed:
        return toolName + QCoreApplication::translate("ToolFailure", " 异常结束");
    case ToolRunResult::Refused:
        return toolName + QCoreApplication::translate("ToolFailure", " 输出超出限制");
    case ToolRunResult::Stopped:
        return toolName + QCoreApplication::translate("ToolFailure", " 已停止");
    }
    return QString();
}
