// Starting the external tools as processes of their own.
#pragma once

#include <string>

namespace loadergui::platform {

class Processes {
 public:
  virtual ~Processes() = default;

  // Starts a command line and blocks until the process has ended; failures pass silently.
  virtual void runAndWait(const std::string& commandLine, int windowStyle) = 0;
  // Starts a command line in a window of its own and returns at once; false if it could not
  // be started.
  virtual bool startProcess(const std::string& commandLine, int windowStyle) = 0;
};

}  // namespace loadergui::platform
