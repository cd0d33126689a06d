// The window that owns a platform dialog or message box.
#pragma once

#include <windows.h>

#include "ui/Form.h"

namespace loadergui::win32 {

// The form's window; none when there is no owner form.
inline HWND OwnerWindow(const ui::Form* owner) {
  return owner ? static_cast<HWND>(owner->nativeHandle()) : nullptr;
}

}  // namespace loadergui::win32
