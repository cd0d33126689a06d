// A top-level menu, a menu item or a separator of a form's menu bar.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace loadergui::win32 {

// A menu of the bar is addressed by its position there and is always shown. An item or a
// separator of a drop-down menu is addressed by its command identifier, and hiding it takes it
// out of its menu, which a Win32 menu needs since it cannot hide an entry; shown again, it goes
// back to its place among the entries laid out before it.
class MenuControl : public ui::Control {
 public:
  // A menu of the bar.
  MenuControl(std::string name, HWND owner, HMENU bar, UINT position);
  // An item or separator of the drop-down menu; `earlier` holds the identifiers of the entries
  // laid out before it in that menu.
  MenuControl(std::string name, ui::ControlKind kind, HWND owner, HMENU menu, UINT id,
              std::vector<UINT> earlier);

  std::string text() const override;
  void setText(const std::string& text) override;
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
  // What an entry taken out of its menu keeps until it goes back.
  struct Hidden {
    std::string caption;
    bool checked = false;
    bool enabled = true;
  };

  // The menu bar must be redrawn when one of its own entries changes.
  void redrawMenuBar() const;
  bool alive() const { return IsMenu(menu_) != FALSE; }
  bool byPosition() const { return flag_ == MF_BYPOSITION; }
  // Where the entry goes back: after those laid out before it that are in the menu now.
  UINT placeAmongShown() const;

  HWND owner_;
  HMENU menu_;
  UINT item_;  // position or identifier, as flag_ says
  UINT flag_;  // MF_BYPOSITION or MF_BYCOMMAND
  std::vector<UINT> earlier_;
  std::optional<Hidden> hidden_;
};

}  // namespace loadergui::win32
