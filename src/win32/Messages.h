// Message boxes, the question box and the beep through the real Windows functions.
#pragma once

#include "platform/Messages.h"

namespace loadergui::win32 {

class Win32Messages : public platform::Messages {
 public:
  void messageBox(const ui::Form* owner, const std::string& text,
                  const std::string& title) override;
  platform::Answer ask(const ui::Form* owner, const std::string& text,
                       const std::string& title) override;
  void beep() override;
};

}  // namespace loadergui::win32
