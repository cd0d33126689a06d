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

}  // namespace loadergui::ui
