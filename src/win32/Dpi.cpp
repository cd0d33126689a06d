// DPI lookup and the twips-to-pixels conversion.
#include "Dpi.h"

namespace loadergui::win32 {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// GetDpiForWindow exists from Windows 10 on; older systems have one DPI for the whole screen,
// which the window's device context reports.
GetDpiForWindowFunction FindGetDpiForWindow() {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  FARPROC found = user32 ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
  // The detour through void(*)() is the one cast between function types that GCC accepts
  // without a warning.
  return reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

int WindowDpi(HWND window) {
  static const GetDpiForWindowFunction getDpiForWindow = FindGetDpiForWindow();
  if (getDpiForWindow && window) {
    UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  HDC context = GetDC(window);
  int dpi = GetDeviceCaps(context, LOGPIXELSY);
  ReleaseDC(window, context);
  return dpi;
}

int TwipsToPixels(int twips, int dpi) {
  return MulDiv(twips, dpi, kTwipsPerInch);
}

PixelRect ControlPixels(const ui::ControlLayout& layout, int dpi) {
  return {TwipsToPixels(layout.left, dpi), TwipsToPixels(layout.top, dpi),
          TwipsToPixels(layout.width, dpi), TwipsToPixels(layout.height, dpi)};
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int RescalePixels(int pixels, int fromDpi, int toDpi) {
  return MulDiv(pixels, toDpi, fromDpi);
}

}  // namespace loadergui::win32
