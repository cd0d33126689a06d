// Stand-in process start: records the command line and the current directory it started in.
#include "Processes.h"

#include <algorithm>
#include <filesystem>

namespace loadergui::null {

// A program path is looked up in the program's folder first, then from the current directory.
bool NullProcesses::launch(const std::string& commandLine, int windowStyle, bool wait) {
  std::string program = commandLine.substr(0, commandLine.find(' '));
  std::string besideProgram = files_.programFolder() + "/" + program;
  std::replace(besideProgram.begin(), besideProgram.end(), '\\', '/');
  bool found = std::filesystem::is_regular_file(besideProgram) ||
               std::filesystem::is_regular_file(files_.diskPath(program));
  if (!found) return false;
  processes.push_back({commandLine, windowStyle, wait, files_.currentDirectory()});
  return true;
}

void NullProcesses::runAndWait(const std::string& commandLine, int windowStyle) {
  launch(commandLine, windowStyle, true);
}

bool NullProcesses::startProcess(const std::string& commandLine, int windowStyle) {
  return launch(commandLine, windowStyle, false);
}

}  // namespace loadergui::null
