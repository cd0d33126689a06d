// Reads a window's menu bar inside the program's own process, for a driver in another process.
// Wine keeps menus per process, so GetMenuString and GetMenuState on another program's menu
// fail there; this hook library, loaded into the program by a thread hook, answers instead. It
// reads captions, identifiers and states and changes nothing.
#include <windows.h>

#include <cstdio>

#include "MenuProbeProtocol.h"

namespace {

// Writes one line per menu entry: "menu TAB item TAB id TAB state TAB caption LF"; the entries
// of the bar itself have the item -1.
void WriteMenuBar(HWND window, char* out, int size) {
  int used = 0;
  auto line = [&](int menu, int item, HMENU owner, UINT position) {
    char caption[512] = {};
    GetMenuStringA(owner, position, caption, sizeof caption, MF_BYPOSITION);
    UINT id = item < 0 ? 0 : GetMenuItemID(owner, static_cast<int>(position));
    UINT state = GetMenuState(owner, position, MF_BYPOSITION);
    int written = std::snprintf(out + used, static_cast<size_t>(size - used),
                                "%d\t%d\t%u\t%u\t%s\n", menu, item, id, state, caption);
    if (written > 0 && used + written < size) used += written;
  };
  HMENU bar = GetMenu(window);
  int menus = bar ? GetMenuItemCount(bar) : 0;
  for (int menu = 0; menu < menus; ++menu) {
    line(menu, -1, bar, static_cast<UINT>(menu));
    HMENU popup = GetSubMenu(bar, menu);
    int items = popup ? GetMenuItemCount(popup) : 0;
    for (int item = 0; item < items; ++item) line(menu, item, popup, static_cast<UINT>(item));
  }
  out[used] = '\0';
}

void Answer(HWND window) {
  char name[64];
  std::snprintf(name, sizeof name, "%s%lu", menuprobe::kMappingPrefix, GetCurrentProcessId());
  HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
  if (!mapping) return;
  auto* view =
      static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, menuprobe::kMappingSize));
  if (view) {
    WriteMenuBar(window, view + 1, static_cast<int>(menuprobe::kMappingSize) - 1);
    view[0] = menuprobe::kAnswered;
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
}

}  // namespace

extern "C" __attribute__((dllexport)) LRESULT CALLBACK MenuProbeHook(int code, WPARAM wParam,
                                                                     LPARAM lParam) {
  static const UINT question = RegisterWindowMessageA(menuprobe::kQuestionMessage);
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == question) Answer(message->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
