// Stand-in process start: a program that exists is recorded as started, nothing runs.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "platform/Processes.h"

namespace loadergui::null {

// A started process's life as the program sees it. Unless a test keeps it running, it has
// ended by the time anyone asks, as the quickest loader would have.
struct ProcessLife {
  bool running = false;
  bool endable = true;  // false: it runs on whatever the program does to end it
  int endRequests = 0;  // how often the program asked to end it
};

struct StartedProcess {
  std::string commandLine;             // the Windows command line
  std::vector<std::string> arguments;  // the argument list, the program first
  int windowStyle;
  bool waited;  // started through runAndWait
  std::string currentDirectory;
  platform::ProcessMatch match;  // how the program would find it again (startProcess only)
  std::shared_ptr<ProcessLife> life;
};

class NullProcesses : public platform::Processes {
 public:
  // Programs are looked up on the stand-in file system.
  explicit NullProcesses(NullFileSystem& files) : files_(files) {}

  void runAndWait(const platform::Command& command, int windowStyle) override;
  std::unique_ptr<platform::StartedProcess> startProcess(
      const platform::Command& command, int windowStyle,
      const platform::ProcessMatch& match) override;
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
  // Loaders started from now on keep running until the program, or a test, ends them.
  bool loadersKeepRunning = false;
  // The code page of the command lines; a test chooses one, the default has no lead bytes.
  platform::LeadBytes leadBytes;

 private:
  bool exists(const std::string& program) const;
  StartedProcess& record(const platform::Command& command, int windowStyle, bool wait);

  NullFileSystem& files_;
};

}  // namespace loadergui::null
