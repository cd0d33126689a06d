// Starting the external tools as processes of their own, and finding a started loader again.
#pragma once

#include <memory>
#include <string>

#include "platform/Command.h"

namespace loadergui::platform {

// A process that startProcess started, as the platform finds it again for as long as it runs.
class StartedProcess {
 public:
  virtual ~StartedProcess() = default;

  // Whether it still runs; once it has ended, this stays false.
  virtual bool running() = 0;
  // Ends it and waits until it has gone, a few seconds at most; true when it no longer runs.
  virtual bool end() = 0;
};

// Which running processes count as the one a start began, on a platform that finds its loaders
// again among the processes that run (when a terminal hands a loader to another process, what
// the program started is not the loader): every one of the same program or, when `option` is
// set, only those given the same value after that option ("-t" and the serial device).
struct ProcessMatch {
  std::string option;
  std::string value;
};

class Processes {
 public:
  virtual ~Processes() = default;

  // Starts a tool and blocks until the process has ended; failures pass silently.
  virtual void runAndWait(const Command& command, int windowStyle) = 0;
  // Starts a tool in a window of its own and returns at once, with the process as the platform
  // finds it again (by `match` where it must look for it); nullptr if it could not be started.
  virtual std::unique_ptr<StartedProcess> startProcess(const Command& command, int windowStyle,
                                                       const ProcessMatch& match) = 0;
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
