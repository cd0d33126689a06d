// What the driver and the menu probe library agree on: the question and where the answer goes.
#pragma once

namespace menuprobe {

// Registered window message sent to the window whose menu bar is wanted.
constexpr const char* kQuestionMessage = "LoaderGuiE2EMenuProbe";
// Shared memory named with this prefix and the program's process id; its first byte is
// kAnswered once the answer text behind it is complete.
constexpr const char* kMappingPrefix = "LoaderGuiE2EMenuProbe-";
constexpr unsigned long kMappingSize = 65536;
constexpr char kAnswered = '!';
// Exported name of the hook procedure.
constexpr const char* kHookName = "MenuProbeHook";

}  // namespace menuprobe
