// modShellWait: the process launcher and the report of a loader that would not start.
#include "loader/ShellWait.h"

#include "app/App.h"
#include "app/Captions.h"
#include "loader/RunningLoaders.h"
#include "loader/Tools.h"

namespace loadergui {

namespace {

// The platform may know why, say that nothing could show the loader's window; that follows on
// a line of its own.
std::string CannotStart(platform::Processes& processes, std::string_view program) {
  std::string message = "Sorry, " + std::string(program) + " could not be started!";
  std::string why = processes.startFailure();
  if (!why.empty()) message += "\r\n" + why;
  return message;
}

}  // namespace

// Blocks the one thread until the process has ended; a process that cannot be started, or
// that fails, is passed over in silence and the caller goes on.
void ShellAndWait(platform::Processes& processes, const platform::Command& command,
                  int windowStyle) {
  processes.runAndWait(command, windowStyle);
}

std::unique_ptr<platform::StartedProcess> ShellNoWait(platform::Processes& processes,
                                                      const platform::Command& command,
                                                      int windowStyle,
                                                      const platform::ProcessMatch& match) {
  return processes.startProcess(command, windowStyle, match);
}

std::string LoaderStartRefusal(App& app, std::string_view loader) {
  auto& processes = app.services().processes;
  std::string program(loader);
  if (processes.canStart(program)) return {};
  return CannotStart(processes, program);
}

void StartLoader(App& app, const platform::Command& command) {
  auto& processes = app.services().processes;
  LoaderIdentity loader = IdentifyLoader(app.services().facts, command);
  auto started = ShellNoWait(processes, command, tools::kNormalFocus, MatchOf(loader));
  if (started) {
    app.runningLoaders().remember(std::move(loader), std::move(started));
    return;
  }
  app.services().messages.messageBox(
      &app.frmMain().form(), CannotStart(processes, command.arguments.front()), text::kOops);
}

}  // namespace loadergui
