// modShellWait: starting the external tools, with and without waiting for them.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Command.h"
#include "platform/Processes.h"

namespace loadergui {

class App;

void ShellAndWait(platform::Processes& processes, const platform::Command& command,
                  int windowStyle);
std::unique_ptr<platform::StartedProcess> ShellNoWait(platform::Processes& processes,
                                                      const platform::Command& command,
                                                      int windowStyle,
                                                      const platform::ProcessMatch& match);

// The refusal for a loader that could not be started, or would not be; empty when the platform
// expects the loader to start.
std::string LoaderStartRefusal(App& app, std::string_view loader);

// Starts a loader and remembers it while it runs; a loader that cannot be started is reported
// in the refusal box, naming it, and the program goes on.
void StartLoader(App& app, const platform::Command& command);

}  // namespace loadergui
