// The edit window is subclassed: its characters go through the control's key handler, every
// other message straight to the edit window's own procedure.
#include "KeyFilter.h"

namespace loadergui::win32 {

namespace {

// Window property under which a filtered edit window finds its filter.
constexpr char kKeyFilterProperty[] = "LoaderGuiKeyFilter";

}  // namespace

KeyFilter::~KeyFilter() {
  if (edit_ && IsWindow(edit_)) release();
}

void KeyFilter::install(HWND edit, ui::Control& control) {
  edit_ = edit;
  control_ = &control;
  SetPropA(edit, kKeyFilterProperty, static_cast<HANDLE>(this));
  editProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FilterProc)));
}

void KeyFilter::release() {
  SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc_));
  RemovePropA(edit_, kKeyFilterProperty);
  edit_ = nullptr;
}

// A key handler that sets the character to 0 discards it; any other result is what the edit
// window receives instead of the typed character.
LRESULT CALLBACK KeyFilter::FilterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<KeyFilter*>(GetPropA(window, kKeyFilterProperty));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  WNDPROC editProc = self->editProc_;
  if (message == WM_CHAR) {
    int keyAscii = self->control_->keyPress(static_cast<int>(wParam));
    if (keyAscii == 0) return 0;
    wParam = static_cast<WPARAM>(keyAscii);
  } else if (message == WM_NCDESTROY) {
    self->release();
  }
  return CallWindowProcA(editProc, window, message, wParam, lParam);
}

}  // namespace loadergui::win32
