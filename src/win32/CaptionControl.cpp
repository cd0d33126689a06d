// A form window's title behind the core's caption control.
#include "CaptionControl.h"

#include "WindowText.h"

namespace loadergui::win32 {

CaptionControl::CaptionControl(HWND window)
    : Control("Caption", ui::ControlKind::Caption), window_(window) {}

std::string CaptionControl::text() const {
  return WindowText(window_);
}

void CaptionControl::setText(const std::string& text) {
  SetWindowTextA(window_, text.c_str());
}

bool CaptionControl::visible() const {
  return IsWindow(window_) && (GetWindowLongPtrA(window_, GWL_STYLE) & WS_VISIBLE);
}

bool CaptionControl::enabled() const {
  return IsWindowEnabled(window_) != FALSE;
}

void CaptionControl::setEnabled(bool enabled) {
  EnableWindow(window_, enabled ? TRUE : FALSE);
}

void CaptionControl::setFocus() {
  if (IsWindowVisible(window_)) SetActiveWindow(window_);
}

}  // namespace loadergui::win32
