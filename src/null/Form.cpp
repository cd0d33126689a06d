// Stand-in windows: the caption, the table's controls and the menu entries, all in memory.
#include "Form.h"

#include <memory>

namespace loadergui::null {

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
    auto control = std::make_unique<NullControl>(*this, std::string(item.name), kind,
                                                 std::string(item.caption));
    control->setVisible((item.flags & ui::kStartsHidden) == 0);
    adopt(std::move(control));
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

}  // namespace loadergui::null
