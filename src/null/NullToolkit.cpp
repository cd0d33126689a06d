// Stand-in windows and controls built from the layout tables, with their state in memory.
#include "NullToolkit.h"

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

NullForm::NullForm(const ui::FormLayout& layout, std::function<void(NullForm&)>& onModal)
    : ui::Form(layout), onModal_(onModal) {
  adoptCaption(std::make_unique<NullControl>(*this, std::string(layout.name) + ".Caption",
                                             ui::ControlKind::Caption,
                                             std::string(layout.caption)));
  for (const auto& control : layout.controls) adopt(std::make_unique<NullControl>(*this, control));
  for (const auto& item : layout.menu) {
    auto kind = item.caption == "-" ? ui::ControlKind::Separator
                : item.level == 0   ? ui::ControlKind::Menu
                                    : ui::ControlKind::MenuItem;
    adopt(std::make_unique<NullControl>(*this, std::string(item.name), kind,
                                        std::string(item.caption)));
  }
}

void NullForm::show() {
  shown_ = true;
}

void NullForm::showModal(ui::Form& owner) {
  shown_ = true;
  modalOwner_ = &owner;
  ++timesShownModal_;
  if (onModal_) onModal_(*this);
}

void NullForm::destroy() {
  shown_ = false;
  destroyed_ = true;
}

std::unique_ptr<ui::Form> NullToolkit::createForm(const ui::FormLayout& layout) {
  created.emplace_back(layout.name);
  return std::make_unique<NullForm>(layout, onModal);
}

}  // namespace loadergui::null
