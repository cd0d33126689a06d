// The refusal box, the question box and the system beep.
#include "Messages.h"

#include <windows.h>

#include "OwnerWindow.h"

namespace loadergui::win32 {

// OK button only and no icon; modal to the owner, whose input stays blocked until it closes.
void Win32Messages::messageBox(const ui::Form* owner, const std::string& text,
                               const std::string& title) {
  MessageBoxA(OwnerWindow(owner), text.c_str(), title.c_str(), MB_OK);
}

// Yes, No and Cancel, no icon, as the program's other boxes; Yes is the default button, and Esc
// or the close box answer Cancel. A box that cannot be shown starts nothing either.
platform::Answer Win32Messages::ask(const ui::Form* owner, const std::string& text,
                                    const std::string& title) {
  switch (MessageBoxA(OwnerWindow(owner), text.c_str(), title.c_str(), MB_YESNOCANCEL)) {
    case IDYES:
      return platform::Answer::Yes;
    case IDNO:
      return platform::Answer::No;
    default:
      return platform::Answer::Cancel;
  }
}

void Win32Messages::beep() {
  MessageBeep(MB_OK);
}

}  // namespace loadergui::win32
