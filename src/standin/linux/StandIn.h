// What every Linux stand-in tool does: log its call, maybe sleep, maybe write a dump file. The
// log is the Windows stand-ins' (src/standin/StandIn.h), but a call lists its arguments one
// per field, so that the way the command line was split shows.
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "../Dump.h"

namespace loadergui::standin {

inline std::string ToolFolder() {
  char path[PATH_MAX] = {};
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string full(path, length > 0 ? static_cast<std::size_t>(length) : 0);
  std::size_t separator = full.find_last_of('/');
  return separator == std::string::npos ? std::string(".") : full.substr(0, separator);
}

inline std::string CurrentDirectory() {
  char path[PATH_MAX] = {};
  return getcwd(path, sizeof path) ? std::string(path) : std::string();
}

// Nanoseconds of the system clock: orders the lines of all tools that share a log.
inline unsigned long long Stamp() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<unsigned long long>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

// A field holds no tab or line break of its own: a backslash, tab, line feed or carriage return
// is written as \\, \t, \n or \r.
inline std::string Field(const std::string& text) {
  std::string field;
  for (char c : text) {
    switch (c) {
      case '\\':
        field += "\\\\";
        break;
      case '\t':
        field += "\\t";
        break;
      case '\n':
        field += "\\n";
        break;
      case '\r':
        field += "\\r";
        break;
      default:
        field += c;
    }
  }
  return field;
}

// Appends one whole line at the end of the log; tools running side by side take turns through
// a lock on the log itself.
inline void AppendLogLine(const std::string& line) {
  std::string path = ToolFolder() + "/" + kLogFileName;
  int log = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (log < 0) return;
  flock(log, LOCK_EX);
  std::size_t written = 0;
  while (written < line.size()) {
    ssize_t count = write(log, line.data() + written, line.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    written += static_cast<std::size_t>(count);
  }
  flock(log, LOCK_UN);
  close(log);
}

// "start", stamp, process id, tool, current directory, then each argument, argv[0] first.
inline void LogStart(const char* toolName, const std::vector<std::string>& arguments) {
  std::string line = "start\t" + std::to_string(Stamp()) + "\t" + std::to_string(getpid()) + "\t" +
                     toolName + "\t" + Field(CurrentDirectory());
  for (const std::string& argument : arguments) line += "\t" + Field(argument);
  AppendLogLine(line + "\n");
}

// The whole life of a stand-in tool. Loaders also write the dump file that a download names.
inline int Run(const char* toolName, bool isLoader, int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  LogStart(toolName, arguments);
  std::printf("%s (stand-in)\ncurrent directory: %s\n", toolName, CurrentDirectory().c_str());
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::printf("argument %zu: [%s]\n", i, arguments[i].c_str());
  }
  std::fflush(stdout);

  std::this_thread::sleep_for(
      std::chrono::milliseconds(SleepMilliseconds(ToolFolder() + "/" + kSleepFileName)));
  if (isLoader) WriteDump(arguments);

  AppendLogLine("end\t" + std::to_string(Stamp()) + "\t" + std::to_string(getpid()) + "\t" +
                toolName + "\n");
  return 0;
}

}  // namespace loadergui::standin
