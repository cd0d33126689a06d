// modShellWait: the process launcher and the report of a loader that would not start.
#include "loader/ShellWait.h"

#include "app/App.h"
#include "app/Captions.h"
#include "loader/Tools.h"
#include "platform/Processes.h"

namespace loadergui {

// Blocks the one thread until the process has ended; a process that cannot be started, or
// that fails, is passed over in silence and the caller goes on.
void ShellAndWait(platform::Processes& processes, const std::string& commandLine, int windowStyle) {
  processes.runAndWait(commandLine, windowStyle);
}

bool ShellNoWait(platform::Processes& processes, const std::string& commandLine, int windowStyle) {
  return processes.startProcess(commandLine, windowStyle);
}

void StartLoader(App& app, const std::string& commandLine) {
  if (ShellNoWait(app.services().processes, commandLine, tools::kNormalFocus)) return;
  std::string program = commandLine.substr(0, commandLine.find(' '));
  app.services().messages.messageBox(&app.frmMain().form(),
                                     "Sorry, " + program + " could not be started!", text::kOops);
}

}  // namespace loadergui
