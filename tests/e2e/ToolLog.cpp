// Reading the stand-in tools' call log.
#include "ToolLog.h"

#include <windows.h>

#include "Check.h"
#include "Files.h"
#include "Wait.h"

namespace e2e {

namespace {

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  // The command line comes last and may hold tabs of its own.
  while (fields.size() < 5) {
    std::size_t tab = line.find('\t', start);
    if (tab == std::string::npos) break;
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

}  // namespace

std::vector<ToolCall> ReadToolLog(const std::string& toolsFolder) {
  std::vector<ToolCall> calls;
  auto text = ReadWholeFile(toolsFolder + "\\standin-calls.log");
  if (!text) return calls;
  std::size_t lineStart = 0;
  for (;;) {
    std::size_t lineEnd = text->find("\r\n", lineStart);
    if (lineEnd == std::string::npos) break;  // a line still being written
    std::vector<std::string> fields = SplitFields(text->substr(lineStart, lineEnd - lineStart));
    lineStart = lineEnd + 2;
    if (fields.size() < 4) continue;
    ToolCall call;
    call.start = fields[0] == "start";
    call.stamp = std::stoull(fields[1]);
    call.pid = fields[2];
    call.tool = fields[3];
    if (call.start && fields.size() == 6) {
      call.currentDirectory = fields[4];
      call.commandLine = fields[5];
    }
    calls.push_back(call);
  }
  return calls;
}

std::vector<ToolCall> Starts(const std::vector<ToolCall>& calls) {
  std::vector<ToolCall> starts;
  for (const ToolCall& call : calls) {
    if (call.start) starts.push_back(call);
  }
  return starts;
}

const ToolCall* EndOf(const std::vector<ToolCall>& calls, const ToolCall& start) {
  for (const ToolCall& call : calls) {
    if (!call.start && call.pid == start.pid && call.stamp >= start.stamp) return &call;
  }
  return nullptr;
}

namespace {

// The tool's process, when it is still there: a process that took the id later was created after
// the tool wrote its start line.
HANDLE OpenTool(const ToolCall& start, DWORD access) {
  HANDLE process = OpenProcess(access | PROCESS_QUERY_INFORMATION, FALSE, std::stoul(start.pid));
  if (!process) return nullptr;
  FILETIME created, exited, kernel, user;
  if (GetProcessTimes(process, &created, &exited, &kernel, &user) &&
      ((static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime) <=
          start.stamp) {
    return process;
  }
  CloseHandle(process);
  return nullptr;
}

}  // namespace

bool ProcessGone(const ToolCall& start) {
  HANDLE process = OpenTool(start, SYNCHRONIZE);
  if (!process) return true;
  bool gone = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return gone;
}

bool AllToolsGone(const std::vector<ToolCall>& calls) {
  for (const ToolCall& call : calls) {
    if (call.start && !ProcessGone(call)) return false;
  }
  return true;
}

// A tool that already wrote its end line is on its way out and left alone.
void EndRunningTools(const std::string& toolsFolder) {
  std::vector<ToolCall> calls = ReadToolLog(toolsFolder);
  for (const ToolCall& start : Starts(calls)) {
    if (EndOf(calls, start)) continue;
    HANDLE process = OpenTool(start, PROCESS_TERMINATE | SYNCHRONIZE);
    if (!process) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kPatience);
    CloseHandle(process);
  }
}

std::vector<ToolCall> WaitForStarts(const std::string& toolsFolder, std::size_t count) {
  std::vector<ToolCall> starts;
  bool came = WaitUntil([&] {
    starts = Starts(ReadToolLog(toolsFolder));
    return starts.size() >= count;
  });
  if (!came) {
    Fail("expected " + std::to_string(count) + " tool start(s) in the log, saw " +
         DescribeLog(ReadToolLog(toolsFolder)));
  }
  return starts;
}

std::string DescribeLog(const std::vector<ToolCall>& calls) {
  if (calls.empty()) return "an empty log";
  std::string text;
  for (const ToolCall& call : calls) {
    text += call.start ? "[start " + call.tool + " in " + Printable(call.currentDirectory) + ": " +
                             Printable(call.commandLine) + "]"
                       : "[end " + call.tool + "]";
  }
  return text;
}

unsigned long long Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace e2e
