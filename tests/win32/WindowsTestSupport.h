// Helpers for the tests of the real windows: message pumping, control lookup, screenshots.
#pragma once

#include <windows.h>
// windows.h first: the headers below rely on its types.
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/MainLayout.h"
#include "settings/OptionsLayout.h"
#include "ui/Form.h"
#include "win32/ChildControl.h"
#include "win32/Dpi.h"
#include "win32/Form.h"
#include "win32/MessageLoop.h"
#include "win32/Toolkit.h"
#include "win32/WindowText.h"

namespace loadergui::win32::formtest {

// The two forms, for tests that run once per form.
struct LayoutCase {
  const char* name;
  const ui::FormLayout& (*layout)();
};

inline const LayoutCase kLayouts[] = {
    {"MainWindow", MainWindowLayout},
    {"OptionsDialog", OptionsDialogLayout},
};

// Runs every queued message the way the program's loop does. A WM_QUIT is taken out of the
// queue so that it cannot end a later test's loop; the result tells whether one came.
inline bool DrainMessages() {
  bool quit = false;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      continue;
    }
    if (!TranslateFormMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return quit;
}

inline HWND FormWindow(const ui::Form& form) {
  return static_cast<HWND>(form.nativeHandle());
}

// The program is built without type information, so a control's kind tells its class: the kinds
// that are windows of their own are child controls.
inline ChildControl* AsChildControl(ui::Control& control) {
  switch (control.kind()) {
    case ui::ControlKind::Button:
    case ui::ControlKind::Label:
    case ui::ControlKind::TextBox:
    case ui::ControlKind::ComboBox:
    case ui::ControlKind::CheckBox:
      return static_cast<ChildControl*>(&control);
    default:
      return nullptr;
  }
}

inline HWND ChildWindow(const ui::Form& form, std::string_view name) {
  ChildControl* child = AsChildControl(form.control(name));
  return child ? child->window() : nullptr;
}

// The window that receives typed characters: a combo box's edit field, or the control itself.
inline HWND TypingWindow(const ui::Form& form, std::string_view name) {
  HWND window = ChildWindow(form, name);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(window, &info) && info.hwndItem) return info.hwndItem;
  return window;
}

inline PixelRect RectInParent(HWND child) {
  RECT bounds;
  GetWindowRect(child, &bounds);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
  return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

inline std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

inline DWORD StyleOf(HWND window) {
  return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
}

// Caption of a menu entry as the menu itself holds it.
inline std::string MenuCaption(HMENU menu, UINT position) {
  char caption[256] = {};
  GetMenuStringA(menu, position, caption, sizeof caption, MF_BYPOSITION);
  return caption;
}

// WM_COMMAND identifier of the menu item with this caption, searched through the menu bar.
inline UINT MenuCommand(HWND window, const std::string& caption) {
  HMENU bar = GetMenu(window);
  for (int menu = 0; menu < GetMenuItemCount(bar); ++menu) {
    HMENU popup = GetSubMenu(bar, menu);
    for (int item = 0; item < GetMenuItemCount(popup); ++item) {
      if (MenuCaption(popup, static_cast<UINT>(item)) == caption) {
        return GetMenuItemID(popup, item);
      }
    }
  }
  return 0;
}

inline void ChooseMenuItem(HWND window, const std::string& caption) {
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(MenuCommand(window, caption), 0), 0);
}

// Types a key the way the keyboard does: key down, the character, key up, all posted to the
// window with the focus and run through the program's message handling.
inline void PressKey(UINT virtualKey) {
  HWND focus = GetFocus();
  PostMessageA(focus, WM_KEYDOWN, virtualKey, 1);
  PostMessageA(focus, WM_KEYUP, virtualKey, 0xC0000001);
  DrainMessages();
}

// The font a control draws its text with.
inline LOGFONTW FontOf(HWND window) {
  LOGFONTW font{};
  auto handle = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
  if (handle) GetObjectW(handle, sizeof font, &font);
  return font;
}

// The message font of the system metrics, measured at the system DPI.
inline LOGFONTW SystemMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont;
}

inline std::string FaceOf(const LOGFONTW& font) {
  std::string face;
  for (const wchar_t* letter = font.lfFaceName; *letter; ++letter) {
    face += static_cast<char>(*letter);
  }
  return face;
}

struct TipWindowSearch {
  HWND owner;
  HWND found;
};

// Enumeration callback: keeps a tooltip window of the searched owner. A named function, since
// the 32-bit build calls it with the stdcall convention, which a lambda lacks.
inline BOOL CALLBACK KeepTipWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<TipWindowSearch*>(lParam);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, "tooltips_class32") != 0 || GetWindow(window, GW_OWNER) != search->owner) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// The tooltip window of a form: a window of the tooltip class that the form owns.
inline HWND TipWindowOf(HWND form) {
  TipWindowSearch search{form, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), KeepTipWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Asks a form for a tool's tip as its tooltip does, and returns what the form answered; the
// text stays "untouched" when the form leaves the question alone.
inline std::string AskForTip(HWND form, HWND tool, HWND from) {
  NMTTDISPINFOA info{};
  char untouched[] = "untouched";
  info.hdr.hwndFrom = from;
  info.hdr.idFrom = reinterpret_cast<UINT_PTR>(tool);
  info.hdr.code = TTN_GETDISPINFOA;
  info.uFlags = TTF_IDISHWND;
  info.lpszText = untouched;
  SendMessageA(form, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  return info.lpszText ? info.lpszText : "(null)";
}

// A drop as the shell hands it over: a DROPFILES header followed by the paths, each ended by a
// NUL, and one more NUL after the last. The window that gets it frees it.
inline HDROP MakeDrop(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& path : paths) list += path + '\0';
  list += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size());
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// The DPI this run of the tests expects the system to have: LOADERGUI_EXPECTED_DPI, which the
// runs at a raised DPI set, or the 96 DPI of a fresh Wine prefix.
inline int ExpectedSystemDpi() {
  const char* dpi = std::getenv("LOADERGUI_EXPECTED_DPI");
  return dpi ? std::atoi(dpi) : 96;
}

// Folder for screenshots, from LOADERGUI_SCREENSHOTS; empty when none is wanted.
inline std::string ScreenshotFolder() {
  const char* folder = std::getenv("LOADERGUI_SCREENSHOTS");
  return folder ? folder : "";
}

// Writes the window, frame and all, as a 24-bit bottom-up BMP file.
inline bool WriteWindowBitmap(HWND window, const std::string& path) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  int width = bounds.right - bounds.left;
  int height = bounds.bottom - bounds.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  // Paint everything now, then copy what the window shows, frame and children included.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HDC windowContext = GetWindowDC(window);
  BitBlt(memory, 0, 0, width, height, windowContext, 0, 0, SRCCOPY);
  ReleaseDC(window, windowContext);
  GdiFlush();
  DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  DWORD pixelBytes = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + pixelBytes;
  info.bmiHeader.biSizeImage = pixelBytes;
  bool written = false;
  if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
    written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
              std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
              std::fwrite(bits, 1, pixelBytes, out) == pixelBytes;
    written = std::fclose(out) == 0 && written;
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

// A toolkit and the forms a test builds with it; the forms go, and their WM_QUIT with them,
// before the next test starts.
class FormFixture {
 public:
  FormFixture() { DrainMessages(); }
  ~FormFixture() {
    forms_.clear();
    DrainMessages();
  }

  ui::Form& build(const ui::FormLayout& layout) {
    forms_.push_back(toolkit_.createForm(layout));
    return *forms_.back();
  }
  Win32Toolkit& toolkit() { return toolkit_; }

 private:
  Win32Toolkit toolkit_{GetModuleHandleA(nullptr)};
  std::vector<std::unique_ptr<ui::Form>> forms_;
};

}  // namespace loadergui::win32::formtest
