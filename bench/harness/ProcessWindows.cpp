// Finding another process's windows and controls, and waiting on it, with bounded polling.
#include "ProcessWindows.h"

namespace bench {

namespace {

struct TopSearch {
  DWORD pid;
  const char* windowClass;  // nullptr: any class
  HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<TopSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
  if (search->windowClass) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, search->windowClass) != 0) return TRUE;
  }
  search->found = window;
  return FALSE;
}

struct ChildSearch {
  const std::string* windowClass;
  const std::string* text;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<ChildSearch*>(lParam);
  if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (*search->windowClass != name) return TRUE;
  if (!search->text->empty() && WindowText(window) != *search->text) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND ShownTopWindow(DWORD pid) {
  TopSearch search{pid, nullptr, nullptr};
  EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ShownDialog(DWORD pid) {
  TopSearch search{pid, "#32770", nullptr};
  EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ChildWindow(HWND parent, const std::string& windowClass, const std::string& text,
                 bool visibleOnly) {
  ChildSearch search{&windowClass, &text, visibleOnly, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Asked with a time-out: a program that hangs must not hang the benchmark.
std::string WindowText(HWND window) {
  char text[512] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                           SMTO_NORMAL, kPatienceMs, &copied)) {
    return {};
  }
  return std::string(text, copied < sizeof text ? copied : 0);
}

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
