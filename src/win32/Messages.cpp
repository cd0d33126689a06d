// The refusal box and the system beep.
#include "Messages.h"

#include <windows.h>

#include "OwnerWindow.h"

namespace loadergui::win32 {

// OK button only and no icon; modal to the owner, whose input stays blocked until it closes.
void Win32Messages::messageBox(const ui::Form* owner, const std::string& text,
                               const std::string& title) {
  MessageBoxA(OwnerWindow(owner), text.c_str(), title.c_str(), MB_OK);
}

void Win32Messages::beep() {
  MessageBeep(MB_OK);
}

}  // namespace loadergui::win32
