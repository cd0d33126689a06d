// modShellWait: the process launcher and the report of a loader that would not start.
#include "loader/ShellWait.h"

#include "app/App.h"
#include "app/Captions.h"
#include "loader/Tools.h"
#include "platform/Services.h"

namespace loadergui {

// Blocks the one thread until the process has ended; a process that cannot be started, or
// that fails, is passed over in silence and the caller goes on.
void ShellAndWait(platform::Services& services, const std::string& commandLine, int windowStyle) {
  services.runAndWait(commandLine, windowStyle);
}

bool ShellNoWait(platform::Services& services, const std::string& commandLine, int windowStyle) {
  return services.startProcess(commandLine, windowStyle);
}

void StartLoader(App& app, const std::string& commandLine) {
  if (ShellNoWait(app.services(), commandLine, tools::kNormalFocus)) return;
  std::string program = commandLine.substr(0, commandLine.find(' '));
  app.services().messageBox(&app.frmMain(), "Sorry, " + program + " could not be started!",
                            text::kOops);
}

}  // namespace loadergui
