// Stand-in controls built from the layout table's rows, with their state in memory.
#include "Control.h"

#include <utility>

#include "Form.h"

namespace loadergui::null {

NullControl::NullControl(NullForm& form, const ui::ControlLayout& layout)
    : ui::Control(std::string(layout.name), layout.kind),
      form_(form),
      text_(layout.caption),
      enabled_((layout.flags & ui::kStartsDisabled) == 0) {
  for (auto item : layout.items) items_.emplace_back(item);
}

NullControl::NullControl(NullForm& form, std::string name, ui::ControlKind kind, std::string text)
    : ui::Control(std::move(name), kind), form_(form), text_(std::move(text)) {}

void NullControl::setFocus() {
  form_.setFocused(name());
}

void NullControl::type(const std::string& characters) {
  for (char c : characters) {
    int key = keyPress(static_cast<unsigned char>(c));
    if (key == 0) continue;
    if (key == 8) {
      if (!text_.empty()) text_.pop_back();
    } else {
      text_.push_back(static_cast<char>(key));
    }
  }
}

}  // namespace loadergui::null
