// The Microsoft C runtime's rules for splitting a command line into argv.
#include "WindowsArguments.h"

namespace loadergui::qt {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The program name takes no escapes: quotes only group.
std::string ProgramName(const std::string& line, std::size_t& at) {
  std::string name;
  bool inQuotes = false;
  for (; at < line.size(); ++at) {
    char c = line[at];
    if (c == '"') {
      inQuotes = !inQuotes;
    } else if (IsBlank(c) && !inQuotes) {
      break;
    } else {
      name += c;
    }
  }
  return name;
}

std::string Argument(const std::string& line, std::size_t& at) {
  std::string argument;
  bool inQuotes = false;
  while (at < line.size()) {
    char c = line[at];
    if (IsBlank(c) && !inQuotes) break;
    if (c == '\\') {
      std::size_t backslashes = 0;
      while (at < line.size() && line[at] == '\\') {
        ++backslashes;
        ++at;
      }
      if (at < line.size() && line[at] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
          ++at;
        }
      } else {
        argument.append(backslashes, '\\');
      }
    } else if (c == '"') {
      if (inQuotes && at + 1 < line.size() && line[at + 1] == '"') {
        argument += '"';
        at += 2;
      } else {
        inQuotes = !inQuotes;
        ++at;
      }
    } else {
      argument += c;
      ++at;
    }
  }
  return argument;
}

}  // namespace

std::vector<std::string> SplitLikeWindows(const std::string& commandLine) {
  std::vector<std::string> arguments;
  std::size_t at = 0;
  arguments.push_back(ProgramName(commandLine, at));
  for (;;) {
    while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
    if (at >= commandLine.size()) break;
    arguments.push_back(Argument(commandLine, at));
  }
  return arguments;
}

}  // namespace loadergui::qt
