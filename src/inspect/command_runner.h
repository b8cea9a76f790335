#pragma once

#include "inspect/tool_command.h"
#include "platform/child_process.h"

#include <QString>

// Runs the sibling tools. Output travels through one scratch file, "tempinfor.txt" beside the
// scratch folders, which exists only while a capture runs.

namespace CommandRunner {
constexpr int kPollIntervalMs = 50;
// Two minutes: far more than any honest package needs, and a hostile one cannot freeze the intake.
constexpr int kMaxPolls = 2400;

inline WaitLimit toolLimit()
{
    return {kPollIntervalMs, kMaxPolls};
}

QString scratchOutputFile();
QString errorText(int number);
QString timeoutText();
} // namespace CommandRunner

// Starts the tool with its standard output sent into the scratch output file, waits for it to end
// while the event loop keeps running, and returns the file's text decoded as UTF-8. Failures come
// back as "错误: <number> - <description>" (53: the program cannot be found), a tool that does
// not end within the limit is killed and gives "错误: 操作已超时!". Only one capture runs at a
// time: a second one asked for while the first waits is refused with error 70, since the scratch
// file is in use.
QString CaptureCommandOutput(const ToolCommand &command, const WaitLimit &limit = CommandRunner::toolLimit());

// Runs the tool and blocks until it has ended, or kills it at the limit. Returns false when it
// could not be started or was killed.
bool RunHiddenAndWait(const ToolCommand &command, const WaitLimit &limit = CommandRunner::toolLimit());

// The whole file decoded as UTF-8; the empty text for a missing or empty file.
QString ReadUtf8File(const QString &path);
