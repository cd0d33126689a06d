// What every stand-in tool does: show and log its call, maybe sleep, maybe write a dump file.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Dump.h"

namespace loadergui::standin {

inline std::string ToolFolder() {
  char path[MAX_PATH * 4] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string full(path, length < sizeof path ? length : 0);
  std::size_t separator = full.find_last_of("\\/");
  return separator == std::string::npos ? std::string(".") : full.substr(0, separator);
}

inline std::string CurrentDirectory() {
  char path[MAX_PATH * 4] = {};
  DWORD length = GetCurrentDirectoryA(sizeof path, path);
  return std::string(path, length < sizeof path ? length : 0);
}

// 100-nanosecond ticks of the system clock: orders the lines of all tools that share a log.
inline unsigned long long Stamp() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// Appends one whole line at the end of the log. Tools running side by side take turns through a
// named mutex and seek to the end themselves, since an append handle alone does not keep two
// processes from writing at the same offset everywhere (under Wine, for one).
inline void AppendLogLine(const std::string& line) {
  std::string path = ToolFolder() + "\\" + kLogFileName;
  HANDLE turn = CreateMutexA(nullptr, FALSE, "Local\\loadergui-standin-log");
  if (turn) WaitForSingleObject(turn, 10000);
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE log = CreateFileA(path.c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
      SetFilePointer(log, 0, nullptr, FILE_END);
      DWORD written = 0;
      WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(log);
      break;
    }
    Sleep(20);
  }
  if (turn) {
    ReleaseMutex(turn);
    CloseHandle(turn);
  }
}

// Splits a command line at blanks; double quotes group blanks into an argument and vanish.
inline std::vector<std::string> Arguments(const std::string& commandLine) {
  std::vector<std::string> arguments;
  std::string current;
  bool inQuotes = false, inArgument = false;
  for (char c : commandLine) {
    if (c == '"') {
      inQuotes = !inQuotes;
      inArgument = true;
    } else if ((c == ' ' || c == '\t') && !inQuotes) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

// The title of the tool's console window: its name and process id.
inline std::string ConsoleTitle(const std::string& toolName, unsigned long pid) {
  return toolName + " (stand-in) " + std::to_string(pid);
}

// The whole life of a stand-in tool. Loaders also write the dump file that a download names.
inline int Run(const char* toolName, bool isLoader) {
  const char* rawCommandLine = GetCommandLineA();
  std::string commandLine = rawCommandLine ? rawCommandLine : "";
  std::string currentDirectory = CurrentDirectory();
  std::string pid = std::to_string(GetCurrentProcessId());

  AppendLogLine("start\t" + std::to_string(Stamp()) + "\t" + pid + "\t" + toolName + "\t" +
                currentDirectory + "\t" + commandLine + "\r\n");
  // The console window is found by its title, as the tests look for it.
  SetConsoleTitleA(ConsoleTitle(toolName, GetCurrentProcessId()).c_str());
  std::printf("%s (stand-in)\ncommand line: %s\ncurrent directory: %s\n", toolName,
              commandLine.c_str(), currentDirectory.c_str());
  std::fflush(stdout);

  Sleep(SleepMilliseconds(ToolFolder() + "\\" + kSleepFileName));
  if (isLoader) WriteDump(Arguments(commandLine));

  AppendLogLine("end\t" + std::to_string(Stamp()) + "\t" + pid + "\t" + toolName + "\r\n");
  return 0;
}

}  // namespace loadergui::standin
