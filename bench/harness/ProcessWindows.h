// Finding another process's windows and controls, and waiting on it, with bounded polling.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// Every wait for another process gives up after this long: a benchmark never hangs.
constexpr DWORD kPatienceMs = 30000;

// A visible top-level window of the process, or nullptr.
HWND ShownTopWindow(DWORD pid);
// A visible top-level dialog (class "#32770", as message boxes are) of the process, or nullptr.
HWND ShownDialog(DWORD pid);
// The first child of the window whose class and text match; an empty text matches any text.
HWND ChildWindow(HWND parent, const std::string& windowClass, const std::string& text,
                 bool visibleOnly);
std::string WindowText(HWND window);

// Seconds on the high-resolution clock, for intervals.
double Seconds();

}  // namespace bench
