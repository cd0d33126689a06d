// Stand-in process start: a program that exists is recorded as started, nothing runs.
#pragma once

#include <string>
#include <vector>

#include "FileSystem.h"
#include "platform/Processes.h"

namespace loadergui::null {

struct StartedProcess {
  std::string commandLine;             // the Windows command line
  std::vector<std::string> arguments;  // the argument list, the program first
  int windowStyle;
  bool waited;  // started through runAndWait
  std::string currentDirectory;
};

class NullProcesses : public platform::Processes {
 public:
  // Programs are looked up on the stand-in file system.
  explicit NullProcesses(NullFileSystem& files) : files_(files) {}

  void runAndWait(const platform::Command& command, int windowStyle) override;
  bool startProcess(const platform::Command& command, int windowStyle) override;
  bool canStart(const std::string& program) override;
  std::string startFailure() const override { return failureReason; }
  // Marks the line with shellMark, so that a test sees which lines went through here.
  std::string shellLine(const platform::Command& command) override {
    return shellMark + command.line;
  }
  platform::LeadBytes commandLineLeadBytes() override { return leadBytes; }

  std::vector<StartedProcess> processes;
  // What the platform says about a program that could not be started; empty says nothing.
  std::string failureReason;
  // The platform turns down every tool that exists, before anything starts (as when no
  // terminal is found to show a loader in) ...
  bool refusesTools = false;
  // ... or only when a loader is started, although it had said it could start it.
  bool loaderStartsFail = false;
  std::string shellMark;
  // The code page of the command lines; a test chooses one, the default has no lead bytes.
  platform::LeadBytes leadBytes;

 private:
  bool exists(const std::string& program) const;
  void record(const platform::Command& command, int windowStyle, bool wait);

  NullFileSystem& files_;
};

}  // namespace loadergui::null
