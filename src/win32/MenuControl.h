// A top-level menu, a menu item or a separator of a form's menu bar.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Control.h"

namespace loadergui::win32 {

// Addressed by its position in its menu.
class MenuControl : public ui::Control {
 public:
  MenuControl(std::string name, ui::ControlKind kind, HWND owner, HMENU menu, UINT position);

  std::string text() const override;
  void setText(const std::string& text) override;
  // A Win32 menu cannot hide an entry; every entry is always visible.
  bool visible() const override;
  void setVisible(bool visible) override;
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  bool checked() const override;
  void setChecked(bool checked) override;
  int value() const override { return ui::kCleared; }
  std::vector<std::string> items() const override { return {}; }
  void setItems(const std::vector<std::string>&) override {}
  void setFocus() override {}

 protected:
  void storeValue(int) override {}

 private:
  // The menu bar must be redrawn when one of its own entries changes.
  void redrawMenuBar() const;
  bool alive() const { return IsMenu(menu_) != FALSE; }

  HWND owner_;
  HMENU menu_;
  UINT position_;
};

}  // namespace loadergui::win32
