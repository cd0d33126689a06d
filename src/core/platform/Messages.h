// Modal message boxes, the question box and the system beep.
#pragma once

#include <string>

namespace loadergui::ui {
class Form;
}

namespace loadergui::platform {

// The buttons of the question box; closing it by its close box or Esc is Cancel.
enum class Answer { Yes, No, Cancel };

class Messages {
 public:
  virtual ~Messages() = default;

  // Modal message box with a single OK button and no icon; owner may be none.
  virtual void messageBox(const ui::Form* owner, const std::string& text,
                          const std::string& title) = 0;
  // Modal question with the buttons Yes (the default), No and Cancel.
  virtual Answer ask(const ui::Form* owner, const std::string& text, const std::string& title) = 0;
  virtual void beep() = 0;
};

}  // namespace loadergui::platform
