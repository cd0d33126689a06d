// Behaviour shared by every backend's controls: value changes and key presses reach the handlers.
#include "ui/Control.h"

#include <utility>

namespace loadergui::ui {

Control::Control(std::string name, ControlKind kind) : name_(std::move(name)), kind_(kind) {}

// A check box runs its click handler whenever its value changes, whether the user clicked it
// or code set it; setting the value it already has runs nothing.
void Control::setValue(int value) {
  if (value == this->value()) return;
  storeValue(value);
  click();
}

void Control::click() {
  if (onClick) onClick();
}

int Control::keyPress(int keyAscii) {
  if (onKeyPress) onKeyPress(keyAscii);
  return keyAscii;
}

void Control::setContextCommands(std::vector<ContextCommand> commands) {
  contextCommands_ = std::move(commands);
}

std::string ShortcutText(Shortcut shortcut) {
  if (shortcut.key == 0) return {};
  std::string text;
  if (shortcut.modifiers & kCtrl) text += "Ctrl+";
  if (shortcut.modifiers & kAlt) text += "Alt+";
  if (shortcut.modifiers & kShift) text += "Shift+";
  return text + shortcut.key;
}

}  // namespace loadergui::ui
