#pragma once

#include "inspect/tool_command.h"

#include <QString>

// Runs the sibling tools. Output travels through one scratch file, "tempinfor.txt" beside the
// scratch folders, which exists only while a capture runs.

// Starts the tool with its standard output sent into the scratch output file, waits for it to end
// while the event loop keeps running, and returns the file's text decoded as UTF-8. Failures come
// back as "错误: <number> - <description>" (53: the program cannot be found), a tool that never
// ends as "错误: 操作已超时!". Only one capture runs at a time: a second one asked for while the
// first waits is refused with error 70, since the scratch file is in use.
QString CaptureCommandOutput(const ToolCommand &command);

// Runs the tool and blocks until it has ended. Returns false when it could not be started.
bool RunHiddenAndWait(const ToolCommand &command);

// The whole file decoded as UTF-8; the empty text for a missing or empty file.
QString ReadUtf8File(const QString &path);

namespace CommandRunner {
constexpr int kPollIntervalMs = 50;
constexpr int kMaxPolls = 65535;

QString scratchOutputFile();
QString errorText(int number);
QString timeoutText();

// Tests shorten the wait that ends in the time-out text (in 50 ms polls).
void setMaxPollsForTests(int polls);
} // namespace CommandRunner
