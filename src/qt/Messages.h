// Message boxes, the question box and the beep.
#pragma once

#include "platform/Messages.h"

namespace loadergui::qt {

class QtMessages : public platform::Messages {
 public:
  void messageBox(const ui::Form* owner, const std::string& text,
                  const std::string& title) override;
  platform::Answer ask(const ui::Form* owner, const std::string& text,
                       const std::string& title) override;
  void beep() override;
};

}  // namespace loadergui::qt
