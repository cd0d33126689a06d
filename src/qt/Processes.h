// Starting the tools on Linux: split as on Windows, never through a shell; loaders in a terminal
// window of their own.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Processes.h"

namespace loadergui::qt {

class QtProcesses : public platform::Processes {
 public:
  // Tools named by a relative path are looked up in the program's folder through files; the
  // terminal is looked for in searchFolders (the PATH's, unless a test gives its own).
  explicit QtProcesses(platform::FileSystem& files);
  QtProcesses(platform::FileSystem& files, std::vector<std::string> searchFolders);

  void runAndWait(const std::string& commandLine, int windowStyle) override;
  bool startProcess(const std::string& commandLine, int windowStyle) override;
  std::string startFailure() const override { return startFailure_; }
  std::string shellLine(const std::string& commandLine) override;

 private:
  // The program the line names, as a path to start: beside the program first, then from the
  // current directory; nothing when neither is a file.
  std::optional<std::string> programPath(const std::string& program);

  platform::FileSystem& files_;
  std::vector<std::string> searchFolders_;
  std::string startFailure_;
};

}  // namespace loadergui::qt
