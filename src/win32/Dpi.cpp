// DPI lookup and the twips-to-pixels conversion.
#include "Dpi.h"

namespace loadergui::win32 {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

}  // namespace

// GetDpiForWindow exists from Windows 10 on; older systems have one DPI for the whole screen,
// which the window's device context reports.
int WindowDpi(HWND window) {
  static const auto getDpiForWindow =
      FindUser32Function<GetDpiForWindowFunction>("GetDpiForWindow");
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
