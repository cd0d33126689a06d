// A top-level window built from a layout table, with its menu bar and child controls.
#pragma once

#include <windows.h>
// windows.h first: the headers below rely on its types.
#include <shellapi.h>

#include <functional>
#include <map>

#include "ChildControl.h"
#include "FormTips.h"
#include "WindowIcons.h"
#include "ui/Form.h"

namespace loadergui::win32 {

class Win32Toolkit;

class Win32Form : public ui::Form {
 public:
  // Creates the window, hidden, with every control of the table.
  Win32Form(const ui::FormLayout& layout, Win32Toolkit& toolkit);
  ~Win32Form() override;

  void show() override;
  void showModal(ui::Form& owner) override;
  void hide() override;
  bool isShown() const override;
  void destroy() override;
  std::string focusedControl() const override;
  void* nativeHandle() const override { return window_; }

  HWND window() const { return window_; }
  // The DPI the form is laid out at.
  int dpi() const { return dpi_; }
  // The form behind one of the toolkit's windows; nullptr for any other window.
  static Win32Form* FromWindow(HWND window);
  // The message loop hands over the mouse messages of the form's controls for their tips.
  void relayToTips(const MSG& message) { tips_.relay(message); }
  // The message loop hands over each key press in the form first: one that is the shortcut of
  // a context command of one of its controls runs that command (true).
  bool runShortcut(const MSG& message);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // Sees every message of the window before the form does: true when it has handled one, with
  // the result to answer in `result`. For what the program does beyond its forms.
  std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> onMessage;

 private:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool onCreate();
  void onCommand(int id, int notification);
  LRESULT onNotify(NMHDR& header);
  void onDroppedFiles(HDROP drop);
  void onDpiChanged(int dpi, const RECT& suggested);
  void onClose();
  void onSessionEnding();
  void onActivate(bool active, bool minimized);
  void onNextControl(HWND control);
  bool onContextMenu(HWND target, LPARAM at);
  LRESULT onGetDefaultId() const;
  void onNcDestroy();

  void buildMenu();
  void buildControls();
  void buildTips();
  void acceptDropsIfWanted();
  void fitClientArea(int dpi);
  void centreOnScreen();
  void focusControl(HWND control);
  void showFocusedButtonAsDefault(HWND focus);
  ChildControl* childById(int id) const;

  Win32Toolkit& toolkit_;
  HWND window_ = nullptr;
  int dpi_ = 0;
  // The message font at dpi_, shared by every control of the form.
  HFONT font_ = nullptr;
  FormTips tips_;
  // The main window's icons at dpi_; destroyed after the window.
  WindowIcons icons_;
  // WM_COMMAND identifiers of the child controls and menu items.
  std::map<int, ui::Control*> commands_;
  std::map<int, ChildControl*> children_;
  ChildControl* defaultButton_ = nullptr;
  ChildControl* cancelButton_ = nullptr;
  // The control that gets the focus when the window is next activated.
  HWND focusOnActivate_ = nullptr;
  // The owner disabled by a running showModal, and whether that modal loop goes on.
  HWND modalOwner_ = nullptr;
  bool modalRunning_ = false;
  bool centredOnce_ = false;
};

}  // namespace loadergui::win32
