// Starting the external tools as processes of their own.
#pragma once

#include <string>

#include "platform/Command.h"

namespace loadergui::platform {

class Processes {
 public:
  virtual ~Processes() = default;

  // Starts a tool and blocks until the process has ended; failures pass silently.
  virtual void runAndWait(const Command& command, int windowStyle) = 0;
  // Starts a tool in a window of its own and returns at once; false if it could not be
  // started.
  virtual bool startProcess(const Command& command, int windowStyle) = 0;
  // Whether startProcess could start the program (a tool as commands name it) now, asked
  // before anything is started; false when it surely could not, with startFailure() saying why.
  virtual bool canStart(const std::string& program) = 0;
  // Why the last canStart or startProcess that returned false failed, as a sentence for the
  // user; empty when there is no more to say than that the program could not be started.
  virtual std::string startFailure() const { return {}; }
  // A line that, typed into the platform's usual shell, starts the same program with the same
  // arguments from the same folder: the command line itself where the shell reads it the same
  // way.
  virtual std::string shellLine(const Command& command) { return command.line; }
  // The lead bytes of the code page the command lines are handed over in.
  virtual LeadBytes commandLineLeadBytes() { return {}; }
};

}  // namespace loadergui::platform
