// What the stand-in tools record in tools\standin-calls.log: who started, from where, with what.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct ToolCall {
  bool start = false;            // a start line; otherwise an end line
  unsigned long long stamp = 0;  // system time in 100 ns ticks
  std::string pid;
  std::string tool;              // "ravlink-serial", "ravlink-ip" or "arp"
  std::string currentDirectory;  // start lines only
  std::string commandLine;       // start lines only
};

std::vector<ToolCall> ReadToolLog(const std::string& toolsFolder);
std::vector<ToolCall> Starts(const std::vector<ToolCall>& calls);
// The end line of the process that wrote the start line; nullptr while it still runs.
const ToolCall* EndOf(const std::vector<ToolCall>& calls, const ToolCall& start);
// Whether the process that wrote the start line has gone, having written its end line or been
// ended before; a tool writes its end line a moment before its process is gone.
bool ProcessGone(const ToolCall& start);
// Whether every tool that started has ended and gone, ended by itself or by the program.
bool AllToolsGone(const std::vector<ToolCall>& calls);
// Ends the tools that still run, as a user closes their consoles.
void EndRunningTools(const std::string& toolsFolder);

// Waits until at least this many tools have started and returns their start lines; fails the
// step with what the log holds when they do not come.
std::vector<ToolCall> WaitForStarts(const std::string& toolsFolder, std::size_t count);
// The whole log in a form fit for a failure message.
std::string DescribeLog(const std::vector<ToolCall>& calls);

// The system time in the stand-ins' ticks, to place the driver's own observations among them.
unsigned long long Now();

}  // namespace e2e
