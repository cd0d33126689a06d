// The system clipboard, for text the user takes on into another program.
#pragma once

#include <string>

namespace loadergui::ui {
class Form;
}

namespace loadergui::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Replaces what the clipboard holds with the text, whose lines end in CR LF; the owner is
  // the window the copy is made from. False when the system would not take it.
  virtual bool putText(const ui::Form* owner, const std::string& text) = 0;
};

}  // namespace loadergui::platform
