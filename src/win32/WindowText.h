// The text of a window: a control's caption or contents, a window's title.
#pragma once

#include <windows.h>

#include <string>

namespace loadergui::win32 {

// Text of any window, of any length.
std::string WindowText(HWND window);

}  // namespace loadergui::win32
