// A menu of the menu bar, a menu item or a separator, behind one action.
#pragma once

#include <QAction>
#include <QPointer>
#include <string>

#include "ui/Control.h"
#include "ui/Layout.h"

namespace loadergui::qt {

// A top-level menu is the action of its drop-down menu; items are checkable actions, whose
// check mark only the program sets.
class MenuControl : public ui::Control {
 public:
  MenuControl(const ui::MenuEntry& entry, ui::ControlKind kind, QAction* action);

  QAction* action() const { return action_; }

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
  QPointer<QAction> action_;
};

}  // namespace loadergui::qt
