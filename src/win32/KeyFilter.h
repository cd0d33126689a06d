// Every character typed into an edit window passes a control's key-press handler first.
#pragma once

#include <windows.h>

#include "ui/Control.h"

namespace loadergui::win32 {

class KeyFilter {
 public:
  KeyFilter() = default;
  // Gives the edit window its own procedure back, if it still exists.
  ~KeyFilter();
  KeyFilter(const KeyFilter&) = delete;
  KeyFilter& operator=(const KeyFilter&) = delete;

  // From now on each character typed into edit goes through control's keyPress(), which may
  // replace it or discard it.
  void install(HWND edit, ui::Control& control);

 private:
  static LRESULT CALLBACK FilterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void release();

  HWND edit_ = nullptr;
  WNDPROC editProc_ = nullptr;
  ui::Control* control_ = nullptr;
};

}  // namespace loadergui::win32
