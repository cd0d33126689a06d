// Driving the real modal dialogs from a helper thread while the test thread is blocked in them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "PlatformTestSupport.h"
#include "WindowsTestSupport.h"
#include "ui/Form.h"

namespace loadergui::win32::testing {

inline std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

inline std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
  return children;
}

// Visible dialog windows (class "#32770") of this process.
inline std::vector<HWND> OurDialogs() {
  std::vector<HWND> topLevel, dialogs;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&topLevel));
  for (HWND window : topLevel) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        ClassOf(window) == "#32770") {
      dialogs.push_back(window);
    }
  }
  return dialogs;
}

// The dialog whose title, or the text of one of whose controls, is the given text.
inline HWND WaitForDialogShowing(const std::string& text) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND dialog : OurDialogs()) {
      if (WindowText(dialog) == text) found = dialog;
      for (HWND child : Children(dialog)) {
        if (WindowText(child) == text) found = dialog;
      }
    }
    return found != nullptr;
  });
  return found;
}

// Keeps a picture of the dialog when the test run asks for screenshots.
inline void CaptureDialog(HWND dialog, const std::string& name) {
  std::string folder = formtest::ScreenshotFolder();
  if (!folder.empty()) formtest::WriteWindowBitmap(dialog, folder + "\\dialog-" + name + ".bmp");
}

inline void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// Waits for the dialog to close after a button press; if it stays, cancels every dialog of
// this process so that the blocked test thread comes back and the test can fail.
inline bool WaitForDialogToClose(HWND dialog) {
  if (WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) return true;
  for (HWND stuck : OurDialogs()) PressButton(stuck, IDCANCEL);
  return false;
}

// Runs the helper on its own thread while the test thread makes the blocking call.
inline void WhileDialogRuns(const std::function<void()>& helper,
                            const std::function<void()>& blockingCall) {
  std::thread driver(helper);
  blockingCall();
  driver.join();
}

// A plain top-level window standing for the program's form that owns a dialog.
class OwnerForm : public ui::Form {
 public:
  OwnerForm() : ui::Form(Layout()) {
    window_ = CreateWindowExA(0, "STATIC", "Dialog owner", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  ~OwnerForm() override { DestroyWindow(window_); }

  void show() override {}
  void showModal(Form&) override {}
  void hide() override {}
  bool isShown() const override { return IsWindowVisible(window_) != FALSE; }
  void destroy() override {}
  std::string focusedControl() const override { return {}; }
  void* nativeHandle() const override { return window_; }
  HWND window() const { return window_; }

 private:
  static const ui::FormLayout& Layout() {
    static const ui::FormLayout layout{"frmOwner", "Dialog owner", 4000, 3000, {}, {}, {}};
    return layout;
  }
  HWND window_ = nullptr;
};

}  // namespace loadergui::win32::testing
