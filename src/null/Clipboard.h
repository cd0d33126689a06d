// Stand-in clipboard: keeps what was put on it, in the order it came.
#pragma once

#include <string>
#include <vector>

#include "platform/Clipboard.h"

namespace loadergui::null {

class NullClipboard : public platform::Clipboard {
 public:
  bool putText(const ui::Form*, const std::string& text) override {
    if (refuses) return false;
    copied.push_back(text);
    return true;
  }

  std::vector<std::string> copied;
  // The system will not take the text, as when another program holds the clipboard open.
  bool refuses = false;
};

}  // namespace loadergui::null
