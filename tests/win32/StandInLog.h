// Reading the call log that the stand-in tools keep in their tools folder.
#pragma once

#include <string>
#include <vector>

#include "PlatformTestSupport.h"

namespace loadergui::win32::testing {

// One line of the log: "start" lines carry the current directory and the command line.
struct ToolCall {
  std::string kind;  // "start" or "end"
  unsigned long long stamp = 0;
  std::string pid;
  std::string tool;
  std::string currentDirectory;
  std::string commandLine;
};

inline std::vector<ToolCall> ReadToolLog(const std::string& toolsFolder) {
  std::string text = ReadWholeFile(toolsFolder + "\\standin-calls.log");
  std::vector<ToolCall> calls;
  std::size_t lineStart = 0;
  while (lineStart < text.size()) {
    std::size_t lineEnd = text.find("\r\n", lineStart);
    if (lineEnd == std::string::npos) break;  // a line still being written
    std::string line = text.substr(lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 2;
    std::vector<std::string> fields;
    std::size_t fieldStart = 0;
    // The command line comes last and may hold tabs of its own.
    while (fields.size() < 5) {
      std::size_t tab = line.find('\t', fieldStart);
      if (tab == std::string::npos) break;
      fields.push_back(line.substr(fieldStart, tab - fieldStart));
      fieldStart = tab + 1;
    }
    fields.push_back(line.substr(fieldStart));
    if (fields.size() < 4) continue;
    ToolCall call;
    call.kind = fields[0];
    call.stamp = std::stoull(fields[1]);
    call.pid = fields[2];
    call.tool = fields[3];
    if (fields.size() == 6) {
      call.currentDirectory = fields[4];
      call.commandLine = fields[5];
    }
    calls.push_back(call);
  }
  return calls;
}

// The start line whose command line holds the tag; nullptr when there is none yet.
inline const ToolCall* FindStart(const std::vector<ToolCall>& calls, const std::string& tag) {
  for (const ToolCall& call : calls) {
    if (call.kind == "start" && call.commandLine.find(tag) != std::string::npos) return &call;
  }
  return nullptr;
}

// The end line of the process that wrote the given start line.
inline const ToolCall* FindEnd(const std::vector<ToolCall>& calls, const ToolCall& start) {
  for (const ToolCall& call : calls) {
    if (call.kind == "end" && call.pid == start.pid && call.stamp >= start.stamp) return &call;
  }
  return nullptr;
}

}  // namespace loadergui::win32::testing
