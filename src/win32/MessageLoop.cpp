// GetMessage loops that give the forms dialog-box keyboard handling.
#include "MessageLoop.h"

#include "Form.h"

namespace loadergui::win32 {

bool TranslateFormMessage(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  Win32Form* form = root ? Win32Form::FromWindow(root) : nullptr;
  if (!form) return false;
  if (form->runShortcut(message)) return true;
  form->relayToTips(message);
  return IsDialogMessageA(root, &message) != FALSE;
}

namespace {

void Dispatch(MSG& message) {
  if (TranslateFormMessage(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

void RunNestedMessageLoop(const std::function<bool()>& finished) {
  MSG message;
  while (!finished()) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (got < 0) return;
    Dispatch(message);
  }
}

}  // namespace loadergui::win32
