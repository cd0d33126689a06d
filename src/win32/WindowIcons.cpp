// The program's icon on a window, loaded at the sizes of the window's DPI.
#include "WindowIcons.h"

#include "Dpi.h"
#include "SystemFunctions.h"

namespace loadergui::win32 {

namespace {

using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

// GetSystemMetricsForDpi exists from Windows 10 on; before it, every monitor has the DPI of
// the system, which GetSystemMetrics is measured at.
int MetricAt(int metric, int dpi) {
  static const auto forDpi =
      FindUser32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (forDpi) return forDpi(metric, static_cast<UINT>(dpi));
  return RescalePixels(GetSystemMetrics(metric), SystemDpi(), dpi);
}

void Destroy(HICON icon) {
  if (icon) DestroyIcon(icon);
}

}  // namespace

IconSizes IconSizesAt(int dpi) {
  return {MetricAt(SM_CXSMICON, dpi), MetricAt(SM_CXICON, dpi)};
}

// The icon holds an image for every size that the common DPIs ask for. For any other size,
// LoadIconWithScaleDown (common controls 6) makes it from the next larger image, which looks
// better than LoadImage's stretch of the nearest one. Neither gets LR_SHARED: a shared icon
// keeps the size it was first loaded at.
HICON LoadProgramIcon(HINSTANCE instance, int size) {
  static const auto scaleDown =
      FindSystemFunction<LoadIconWithScaleDownFunction>("comctl32.dll", "LoadIconWithScaleDown");
  HICON icon = nullptr;
  if (scaleDown &&
      SUCCEEDED(scaleDown(instance, MAKEINTRESOURCEW(kProgramIconResource), size, size, &icon))) {
    return icon;
  }
  return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kProgramIconResource), IMAGE_ICON,
                                       size, size, LR_DEFAULTCOLOR));
}

WindowIcons::~WindowIcons() {
  Destroy(smallIcon_);
  Destroy(largeIcon_);
}

// The class carries icons at the system DPI, which a window on a monitor of another DPI would
// show stretched; its own icons, set here, take their place.
void WindowIcons::apply(HWND window, HINSTANCE instance, int dpi) {
  IconSizes sizes = IconSizesAt(dpi);
  HICON smallIcon = LoadProgramIcon(instance, sizes.titleBar);
  HICON largeIcon = LoadProgramIcon(instance, sizes.taskbar);
  if (!smallIcon || !largeIcon) {
    Destroy(smallIcon);
    Destroy(largeIcon);
    return;
  }
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon));
  Destroy(smallIcon_);
  Destroy(largeIcon_);
  smallIcon_ = smallIcon;
  largeIcon_ = largeIcon;
}

}  // namespace loadergui::win32
