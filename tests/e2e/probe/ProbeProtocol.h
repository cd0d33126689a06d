// What the driver and the probe library agree on: the questions and where answers and files go.
#pragma once

namespace probe {

// Registered window messages sent to the program's main window. The first asks for its menu
// bar; the second drops the files listed in the shared memory onto the window.
constexpr const char* kMenuQuestion = "LoaderGuiE2EProbeMenu";
constexpr const char* kDropRequest = "LoaderGuiE2EProbeDrop";
// Shared memory named with this prefix and the program's process id. Its first byte is
// kAnswered once the answer (or the drop) is complete; behind it stands the menu bar's text, or,
// for a drop, the full paths, each ended by a NUL, with one more NUL after the last.
constexpr const char* kMappingPrefix = "LoaderGuiE2EProbe-";
constexpr unsigned long kMappingSize = 65536;
constexpr char kAnswered = '!';
// Exported name of the hook procedure.
constexpr const char* kHookName = "ProbeHook";

}  // namespace probe
