// Works inside the program's own process for a driver in another process: reads the main
// window's menu bar, drops files onto the window as the shell does, and logs the keys that the
// program's thread takes from its queue, so that the driver knows whether a typed key arrived. Wine
// keeps menus per process, so GetMenuString and GetMenuState on another program's menu fail there;
// and a drop's memory block belongs to the process that receives it, so only code in that process
// can make one. This hook library is loaded into the program by a thread hook; it changes nothing
// but what a user's drop would.
#include <windows.h>
// windows.h first: the header below relies on its types.
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "ProbeProtocol.h"

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

// The drop block the shell hands a window that accepts files: a DROPFILES header, then the
// paths as 8-bit text, each ended by a NUL, with one more NUL at the end. The window's drop
// handler frees it with DragFinish. The drop point is the middle of the client area.
void DropFiles(HWND window, const char* paths) {
  std::size_t length = 0;
  while (paths[length] != '\0') length += std::strlen(paths + length) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + length + 1);
  if (!block) return;
  auto* header = static_cast<DROPFILES*>(GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  RECT client{};
  GetClientRect(window, &client);
  header->pt = {client.right / 2, client.bottom / 2};
  header->fNC = FALSE;
  header->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), paths, length + 1);
  GlobalUnlock(block);
  if (!PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0)) GlobalFree(block);
}

// The driver's shared memory, opened on first use and kept for as long as the probe is loaded.
char* SharedView() {
  static char* view = [] {
    char name[64];
    std::snprintf(name, sizeof name, "%s%lu", probe::kMappingPrefix, GetCurrentProcessId());
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    return mapping ? static_cast<char*>(
                         MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, probe::kMappingSize))
                   : nullptr;
  }();
  return view;
}

void Answer(HWND window, bool drop) {
  char* view = SharedView();
  if (!view) return;
  if (drop) {
    DropFiles(window, view + 1);
  } else {
    WriteMenuBar(window, view + 1, static_cast<int>(probe::kKeyLogOffset) - 1);
  }
  view[0] = probe::kAnswered;
}

void LogKey(WPARAM virtualKey) {
  char* view = SharedView();
  if (!view) return;
  auto* log = reinterpret_cast<probe::KeyLog*>(view + probe::kKeyLogOffset);
  long next = log->count;
  log->keys[static_cast<unsigned long>(next) % probe::kLoggedKeys] =
      static_cast<unsigned short>(virtualKey);
  log->count = next + 1;
}

void CountMarker() {
  char* view = SharedView();
  if (!view) return;
  auto* log = reinterpret_cast<probe::KeyLog*>(view + probe::kKeyLogOffset);
  log->markers = log->markers + 1;
}

}  // namespace

extern "C" __attribute__((dllexport)) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam,
                                                                 LPARAM lParam) {
  static const UINT menuQuestion = RegisterWindowMessageA(probe::kMenuQuestion);
  static const UINT dropRequest = RegisterWindowMessageA(probe::kDropRequest);
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == menuQuestion) Answer(message->hwnd, false);
    if (message->message == dropRequest) Answer(message->hwnd, true);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Called as the program's thread takes a message from its queue (wParam PM_REMOVE), or looks at
// one and leaves it there (PM_NOREMOVE), which does not count.
extern "C" __attribute__((dllexport)) LRESULT CALLBACK ProbeKeyHook(int code, WPARAM wParam,
                                                                    LPARAM lParam) {
  static const UINT queueMarker = RegisterWindowMessageA(probe::kQueueMarker);
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN) {
      LogKey(message->wParam);
    }
    if (message->message == queueMarker) CountMarker();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
