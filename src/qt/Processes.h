// Starting the tools on Linux with their argument lists, never through a shell; loaders in a
// terminal window of their own.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Terminals.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"

namespace loadergui::qt {

class QtProcesses : public platform::Processes {
 public:
  // Tools named by a relative path are looked up in the program's folder through files; the
  // terminal is looked for in searchFolders (the PATH's, unless a test gives its own).
  explicit QtProcesses(platform::FileSystem& files);
  QtProcesses(platform::FileSystem& files, std::vector<std::string> searchFolders);

  void runAndWait(const platform::Command& command, int windowStyle) override;
  std::unique_ptr<platform::StartedProcess> startProcess(
      const platform::Command& command, int windowStyle,
      const platform::ProcessMatch& match) override;
  bool canStart(const std::string& program) override;
  std::string startFailure() const override { return startFailure_; }
  std::string shellLine(const platform::Command& command) override;

 private:
  // The program the line names, as a path to start: beside the program first, then from the
  // current directory; nothing when neither is a file.
  std::optional<std::string> programPath(const std::string& program);
  // The path to start the program by, and the terminal to show it in, when both are there;
  // otherwise nothing, with startFailure_ saying why when there is more to say.
  std::optional<std::string> startable(const std::string& program,
                                       std::optional<FoundTerminal>& terminal);

  platform::FileSystem& files_;
  std::vector<std::string> searchFolders_;
  std::string startFailure_;
};

}  // namespace loadergui::qt
