// The refusal box and the system beep.
#include <windows.h>

#include "Win32Services.h"
#include "Win32ServicesInternal.h"

namespace loadergui::win32 {

// OK button only and no icon; modal to the owner, whose input stays blocked until it closes.
void Win32Services::messageBox(const ui::Form* owner, const std::string& text,
                               const std::string& title) {
  MessageBoxA(detail::OwnerWindow(owner), text.c_str(), title.c_str(), MB_OK);
}

void Win32Services::beep() {
  MessageBeep(MB_OK);
}

}  // namespace loadergui::win32
