// Binding a window's typed members to the controls its backend built from the layout table.
#include "ui/TypedForm.h"

#include <utility>

namespace loadergui::ui {

TypedForm::TypedForm(std::unique_ptr<Form> form)
    : caption(&form->caption()), form_(std::move(form)) {}

TypedForm::~TypedForm() = default;

// Each member is found through the name in its own row, so a row and its member always agree
// on the control.
void TypedForm::bindMembers() {
  for (const ControlLayout& row : form_->layout().controls) {
    if (row.member) this->*row.member = &form_->control(row.name);
  }
  for (const MenuEntry& entry : form_->layout().menu) {
    if (entry.member) this->*entry.member = &form_->control(entry.name);
  }
}

}  // namespace loadergui::ui
