// Finding a started loader again among the processes that run, and ending it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/Processes.h"

namespace loadergui::qt {

// The processes of this user whose executable is that file (a resolved path) and that, when the
// match names an option, were given the match's value right after it.
std::vector<pid_t> FindProcesses(const std::string& executable,
                                 const platform::ProcessMatch& match);

// A loader found by its executable, not by the process the program started: a terminal may hand
// its command to a server process and end, and a terminal that stays is still not the loader.
// Any loader of the program's tools folder counts, which is as near as Linux lets a program
// tell its own: another copy of the program beside the same tools shares them.
class LoaderProcess : public platform::StartedProcess {
 public:
  LoaderProcess(std::string executable, platform::ProcessMatch match)
      : executable_(std::move(executable)), match_(std::move(match)) {}

  bool running() override;
  bool end() override;

 private:
  std::string executable_;
  platform::ProcessMatch match_;
  // Once none ran, a later loader of the same file is another start's, not this one's.
  bool ended_ = false;
};

}  // namespace loadergui::qt
