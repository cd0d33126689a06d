// A window with its controls as named members of a struct, bound once from its layout table.
#pragma once

#include <memory>

#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Layout.h"

namespace loadergui::ui {

// Each window's struct derives from this and declares one Control* member for each row of its
// layout table, named as the row names the control; the row points back at its member, so a
// misspelt member does not compile and every use of a control is found by its name.
class TypedForm {
 public:
  virtual ~TypedForm();
  TypedForm(const TypedForm&) = delete;
  TypedForm& operator=(const TypedForm&) = delete;

  Form& form() const { return *form_; }

  // The window's title.
  Control* caption = nullptr;

 protected:
  explicit TypedForm(std::unique_ptr<Form> form);
  // Sets every member that a row of the form's layout table points at; the derived struct
  // calls it once its members exist.
  void bindMembers();

 private:
  std::unique_ptr<Form> form_;
};

// A layout row's pointer to the member of Window that holds its control.
template <typename Window>
ControlMember Member(Control* Window::*member) {
  return static_cast<ControlMember>(member);
}

}  // namespace loadergui::ui
