// Modal message boxes and the system beep.
#pragma once

#include <string>

namespace loadergui::ui {
class Form;
}

namespace loadergui::platform {

class Messages {
 public:
  virtual ~Messages() = default;

  // Modal message box with a single OK button and no icon; owner may be none.
  virtual void messageBox(const ui::Form* owner, const std::string& text,
                          const std::string& title) = 0;
  virtual void beep() = 0;
};

}  // namespace loadergui::platform
