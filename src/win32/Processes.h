// Starting the external tools through the real Windows process functions.
#pragma once

#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Processes.h"

namespace loadergui::win32 {

class Win32Processes : public platform::Processes {
 public:
  // A tool named by a relative path is looked for in the program folder that files report.
  explicit Win32Processes(platform::FileSystem& files) : files_(files) {}

  void runAndWait(const platform::Command& command, int windowStyle) override;
  std::unique_ptr<platform::StartedProcess> startProcess(
      const platform::Command& command, int windowStyle,
      const platform::ProcessMatch& match) override;
  bool canStart(const std::string& program) override;
  std::string startFailure() const override { return startFailure_; }
  // The system's 8-bit code page, the one CreateProcessA hands the command line over in.
  platform::LeadBytes commandLineLeadBytes() override;

 private:
  // The absolute path of a program when it is a relative path naming a file in the program
  // folder; empty when the operating system's own search should find it.
  std::string programBesideUs(const std::string& program);

  platform::FileSystem& files_;
  std::string startFailure_;
};

}  // namespace loadergui::win32
