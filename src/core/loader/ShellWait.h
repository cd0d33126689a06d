// modShellWait: starting the external tools, with and without waiting for them.
#pragma once

#include <string>
#include <string_view>

#include "platform/Command.h"

namespace loadergui {

class App;
namespace platform {
class Processes;
}

void ShellAndWait(platform::Processes& processes, const platform::Command& command,
                  int windowStyle);
bool ShellNoWait(platform::Processes& processes, const platform::Command& command, int windowStyle);

// The refusal for a loader that could not be started, or would not be; empty when the platform
// expects the loader to start.
std::string LoaderStartRefusal(App& app, std::string_view loader);

// Starts a loader; a loader that cannot be started is reported in the refusal box, naming it,
// and the program goes on.
void StartLoader(App& app, const platform::Command& command);

}  // namespace loadergui
