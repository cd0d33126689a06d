// Stand-in process start: records the command and the current directory it started in.
#include "Processes.h"

#include <algorithm>
#include <filesystem>

namespace loadergui::null {

// A program path is looked up in the program's folder first, then from the current directory.
bool NullProcesses::exists(const std::string& program) const {
  std::string besideProgram = files_.programFolder() + "/" + program;
  std::replace(besideProgram.begin(), besideProgram.end(), '\\', '/');
  return std::filesystem::is_regular_file(besideProgram) ||
         std::filesystem::is_regular_file(files_.diskPath(program));
}

void NullProcesses::record(const platform::Command& command, int windowStyle, bool wait) {
  processes.push_back(
      {command.line, command.arguments, windowStyle, wait, files_.currentDirectory()});
}

void NullProcesses::runAndWait(const platform::Command& command, int windowStyle) {
  if (exists(command.arguments.front()) && !refusesTools) record(command, windowStyle, true);
}

bool NullProcesses::startProcess(const platform::Command& command, int windowStyle) {
  if (!exists(command.arguments.front()) || refusesTools || loaderStartsFail) return false;
  record(command, windowStyle, false);
  return true;
}

bool NullProcesses::canStart(const std::string& program) {
  return exists(program) && !refusesTools;
}

}  // namespace loadergui::null
