// The program's menu bar as its user sees it: captions, command identifiers and check marks.
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
// the probe library (menuprobe/), which a thread hook loads.
class MenuReader {
 public:
  MenuReader(HWND window, std::string probeLibrary);
  ~MenuReader();
  MenuReader(const MenuReader&) = delete;
  MenuReader& operator=(const MenuReader&) = delete;

  std::vector<MenuEntry> read();

 private:
  bool readDirectly(std::vector<MenuEntry>& entries) const;
  std::vector<MenuEntry> readThroughProbe();
  void installProbe();

  HWND window_;
  std::string probeLibrary_;
  HMODULE probe_ = nullptr;
  HHOOK hook_ = nullptr;
  HANDLE mapping_ = nullptr;
  char* view_ = nullptr;
};

}  // namespace e2e
