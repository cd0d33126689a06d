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

// The platform may know why, say that nothing could show the loader's window; that follows on a
// line of its own.
void StartLoader(App& app, const std::string& commandLine) {
  auto& processes = app.services().processes;
  if (ShellNoWait(processes, commandLine, tools::kNormalFocus)) return;
  std::string program = commandLine.substr(0, commandLine.find(' '));
  std::string message = "Sorry, " + program + " could not be started!";
  std::string why = processes.startFailure();
  if (!why.empty()) message += "\r\n" + why;
  app.services().messages.messageBox(&app.frmMain().form(), message, text::kOops);
}

}  // namespace loadergui
