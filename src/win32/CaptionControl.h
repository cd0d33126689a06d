// The title of a form's window, as a control.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Control.h"

namespace loadergui::win32 {

class CaptionControl : public ui::Control {
 public:
  explicit CaptionControl(HWND window);

  std::string text() const override;
  void setText(const std::string& text) override;
  bool visible() const override;
  // The window is shown and hidden through its form, which also centres it.
  void setVisible(bool) override {}
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  bool checked() const override { return false; }
  void setChecked(bool) override {}
  int value() const override { return ui::kCleared; }
  std::vector<std::string> items() const override { return {}; }
  void setItems(const std::vector<std::string>&) override {}
  void setFocus() override;

 protected:
  void storeValue(int) override {}

 private:
  HWND window_;
};

}  // namespace loadergui::win32
