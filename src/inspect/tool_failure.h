#pragma once

#include "platform/tool_run.h"

#include <QString>

// Why a tool run went wrong, in the user's words: "aapt 超时", "aapt 无法启动",
// "aapt 退出码 1: <the first line it wrote on its error output>". Empty for a run that succeeded.
QString toolFailureText(const QString &toolName, const ToolRunResult &result);
