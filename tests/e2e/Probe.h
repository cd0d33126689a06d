// Inside the program's process: its menu bar as its user sees it (captions, command identifiers
// and check marks), and files dropped onto its main window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct MenuEntry {
  int menu = 0;   // position of the menu in the bar
  int item = -1;  // position of the item in its menu; -1 for the menu's own entry in the bar
  std::string caption;
  UINT id = 0;
  UINT state = 0;  // as GetMenuState reports it

  bool checked() const { return (state & MF_CHECKED) != 0; }
  bool enabled() const { return (state & (MF_GRAYED | MF_DISABLED)) == 0; }
  bool separator() const { return (state & MF_SEPARATOR) != 0; }
};

// On Windows GetMenu, GetSubMenu, GetMenuString and GetMenuState work on another process's
// window. Wine keeps menus per process, so there the same calls are made inside the program by
// the probe library (probe/), which a thread hook loads. A drop is always made there.
class Probe {
 public:
  Probe(HWND window, std::string probeLibrary);
  ~Probe();
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

  std::vector<MenuEntry> readMenus();
  // Drops the files onto the window, as dragging them there from Explorer does; returns once
  // the drop has been posted to the window, not handled.
  void dropFiles(const std::vector<std::string>& paths);
  // How many key presses the program's thread has taken from its queue since the probe came
  // (it comes with the first call), and the virtual-key codes of those after the first `from`.
  long keysTaken();
  std::vector<WORD> keysTakenSince(long from);

 private:
  bool readDirectly(std::vector<MenuEntry>& entries) const;
  std::vector<MenuEntry> readThroughProbe();
  void installProbe();
  // Sends one of the probe's registered messages and waits for its answer.
  void ask(const char* message, const std::string& what);

  HWND window_;
  std::string probeLibrary_;
  HMODULE probe_ = nullptr;
  HHOOK hook_ = nullptr;
  HHOOK keyHook_ = nullptr;
  HANDLE mapping_ = nullptr;
  char* view_ = nullptr;
};

}  // namespace e2e
