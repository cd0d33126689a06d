// modShellWait: starting the external tools, with and without waiting for them.
#pragma once

#include <string>

namespace loadergui {

class App;
namespace platform {
class Processes;
}

void ShellAndWait(platform::Processes& processes, const std::string& commandLine, int windowStyle);
bool ShellNoWait(platform::Processes& processes, const std::string& commandLine, int windowStyle);

// Starts a loader command line; a loader that cannot be started is reported in the refusal box,
// naming it, and the program goes on.
void StartLoader(App& app, const std::string& commandLine);

}  // namespace loadergui
