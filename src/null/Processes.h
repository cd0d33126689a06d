// Stand-in process start: a program that exists is recorded as started, nothing runs.
#pragma once

#include <string>
#include <vector>

#include "FileSystem.h"
#include "platform/Processes.h"

namespace loadergui::null {

struct StartedProcess {
  std::string commandLine;
  int windowStyle;
  bool waited;  // started through runAndWait
  std::string currentDirectory;
};

class NullProcesses : public platform::Processes {
 public:
  // Programs are looked up on the stand-in file system.
  explicit NullProcesses(NullFileSystem& files) : files_(files) {}

  void runAndWait(const std::string& commandLine, int windowStyle) override;
  bool startProcess(const std::string& commandLine, int windowStyle) override;
  std::string startFailure() const override { return failureReason; }
  // Marks the line with shellMark, so that a test sees which lines went through here.
  std::string shellLine(const std::string& commandLine) override { return shellMark + commandLine; }

  std::vector<StartedProcess> processes;
  // What the platform says about a program that could not be started; empty says nothing.
  std::string failureReason;
  std::string shellMark;

 private:
  bool launch(const std::string& commandLine, int windowStyle, bool wait);

  NullFileSystem& files_;
};

}  // namespace loadergui::null
