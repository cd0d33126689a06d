// The program's icon on a window: drawn for the window's DPI, and again when that changes.
#pragma once

#include <windows.h>

namespace loadergui::win32 {

// The resource ID of the program's icon (app.rc).
constexpr int kProgramIconResource = 1;

// The sizes Windows asks of a window's icons at a DPI: the small one of the title bar and the
// large one of Alt+Tab and the taskbar.
struct IconSizes {
  int titleBar;
  int taskbar;
};
IconSizes IconSizesAt(int dpi);

// The icon of a module's resources at one size; nullptr when the module has no such icon. The
// caller destroys it.
HICON LoadProgramIcon(HINSTANCE instance, int size);

// The two icons a window carries: it owns them and destroys them once the window has others,
// or when it goes itself (after the window, which must not show a destroyed icon).
class WindowIcons {
 public:
  WindowIcons() = default;
  ~WindowIcons();
  WindowIcons(const WindowIcons&) = delete;
  WindowIcons& operator=(const WindowIcons&) = delete;

  void apply(HWND window, HINSTANCE instance, int dpi);

 private:
  HICON smallIcon_ = nullptr;
  HICON largeIcon_ = nullptr;
};

}  // namespace loadergui::win32
