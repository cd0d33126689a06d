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
  // Why the last startProcess that returned false failed, as a sentence for the user; empty
  // when there is no more to say than that the program could not be started.
  virtual std::string startFailure() const { return {}; }
  // A line that, typed into the platform's usual shell, starts the same program with the same
  // arguments from the same folder: the command line itself where the shell reads it the same
  // way.
  virtual std::string shellLine(const std::string& commandLine) { return commandLine; }
};

}  // namespace loadergui::platform
