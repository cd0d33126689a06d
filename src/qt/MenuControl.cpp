// Menu entries behind the core's controls: captions, check marks, enabled and visible states.
#include "MenuControl.h"

#include "Text.h"

namespace loadergui::qt {

// Choosing a checkable item makes Qt flip its check mark first; the mark goes back to what it
// was, since only the program sets marks: choosing an item that has its mark leaves it on.
MenuControl::MenuControl(const ui::MenuEntry& entry, ui::ControlKind kind, QAction* action)
    : ui::Control(std::string(entry.name), kind), action_(action) {
  action->setObjectName(ToQt(entry.name));
  if (kind != ui::ControlKind::MenuItem) return;
  QObject::connect(action, &QAction::triggered, [this](bool checkedNow) {
    if (action_ && action_->isCheckable()) action_->setChecked(!checkedNow);
    click();
  });
}

// A separator has no caption of its own; its caption in the layout table is "-".
std::string MenuControl::text() const {
  if (!action_) return {};
  if (action_->isSeparator()) return "-";
  return FromQt(action_->text());
}

void MenuControl::setText(const std::string& text) {
  if (action_ && !action_->isSeparator()) action_->setText(ToQt(text));
}

bool MenuControl::visible() const {
  return action_ && action_->isVisible();
}

void MenuControl::setVisible(bool visible) {
  if (action_) action_->setVisible(visible);
}

bool MenuControl::enabled() const {
  return action_ && action_->isEnabled();
}

void MenuControl::setEnabled(bool enabled) {
  if (action_) action_->setEnabled(enabled);
}

bool MenuControl::checked() const {
  return action_ && action_->isChecked();
}

// An item becomes checkable when the program first gives it a mark or takes one away: Qt draws
// an empty box beside every checkable item, which items that never carry a mark (Exit, the
// recent files) should not show, while a screen reader tells the state of those that do.
void MenuControl::setChecked(bool checked) {
  if (!action_) return;
  action_->setCheckable(true);
  action_->setChecked(checked);
}

}  // namespace loadergui::qt
