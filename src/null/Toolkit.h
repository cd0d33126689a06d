// Creates the stand-in windows, and stands for the user while one of them is shown modally.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Form.h"
#include "ui/Form.h"

namespace loadergui::null {

class NullToolkit : public ui::Toolkit {
 public:
  std::unique_ptr<ui::Form> createForm(const ui::FormLayout& layout) override;

  // Stands for the user's work while a form is shown modally: it runs inside showModal, and
  // showModal returns after it.
  std::function<void(NullForm&)> onModal;
  // Names of the forms created so far, in order.
  std::vector<std::string> created;
};

}  // namespace loadergui::null
