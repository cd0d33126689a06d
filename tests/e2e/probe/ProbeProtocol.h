// What the driver and the probe library agree on: the questions, where answers and files go, and
// the log of the keys the program's thread has taken from its queue.
#pragma once

namespace probe {

// Registered window messages sent to the program's main window. The first asks for its menu
// bar; the second drops the files listed in the shared memory onto the window.
constexpr const char* kMenuQuestion = "LoaderGuiE2EProbeMenu";
constexpr const char* kDropRequest = "LoaderGuiE2EProbeDrop";
// Posted, not sent: taken from the queue, it proves that everything posted before it was taken
// (and handled, or is being handled in a modal loop that took it).
constexpr const char* kQueueMarker = "LoaderGuiE2EProbeMarker";
// Shared memory named with this prefix and the program's process id. Its first byte is
// kAnswered once the answer (or the drop) is complete; behind it stands the menu bar's text, or,
// for a drop, the full paths, each ended by a NUL, with one more NUL after the last.
constexpr const char* kMappingPrefix = "LoaderGuiE2EProbe-";
constexpr unsigned long kMappingSize = 65536;
constexpr char kAnswered = '!';
// Exported names of the hook procedures: the one that answers the questions (a hook on sent
// messages) and the one that logs keys (a hook on messages taken from the queue).
constexpr const char* kHookName = "ProbeHook";
constexpr const char* kKeyHookName = "ProbeKeyHook";

// The key log at the end of the shared memory: how many key presses (WM_KEYDOWN or
// WM_SYSKEYDOWN) the program's thread has taken from its queue since the probe came, and the
// virtual-key codes of the latest ones, the Nth at keys[N % kLoggedKeys]; and how many queue
// markers it has taken.
constexpr unsigned long kKeyLogOffset = 61440;
constexpr unsigned kLoggedKeys = 1024;
struct KeyLog {
  volatile long markers;
  volatile long count;
  unsigned short keys[kLoggedKeys];
};
static_assert(kKeyLogOffset + sizeof(KeyLog) <= kMappingSize, "the key log fits the mapping");

}  // namespace probe
