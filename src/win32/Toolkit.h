// Creates the program's Win32 windows; registers their class and ends the program with them.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/Form.h"

namespace loadergui::win32 {

class Win32Toolkit : public ui::Toolkit {
 public:
  // The class icon is the resource with ID 1 of this module, when it has one.
  explicit Win32Toolkit(HINSTANCE instance);
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  std::unique_ptr<ui::Form> createForm(const ui::FormLayout& layout) override;

  HINSTANCE instance() const { return instance_; }
  static const char* WindowClassName();

  // Form windows report their coming and going: when the last one has gone the message
  // loop is told to end (WM_QUIT).
  void windowCreated() { ++liveWindows_; }
  void windowDestroyed();
  int liveWindows() const { return liveWindows_; }

 private:
  HINSTANCE instance_;
  bool registeredClass_ = false;
  int liveWindows_ = 0;
};

}  // namespace loadergui::win32
