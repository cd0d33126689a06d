// Stand-in message boxes and beeps: recorded as a user would see and hear them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Messages.h"

namespace loadergui::null {

struct ShownMessage {
  std::string owner;  // form name, empty for none
  std::string text;
  std::string title;
};

class NullMessages : public platform::Messages {
 public:
  void messageBox(const ui::Form* owner, const std::string& text,
                  const std::string& title) override;
  platform::Answer ask(const ui::Form* owner, const std::string& text,
                       const std::string& title) override;
  void beep() override { ++beeps; }

  std::vector<ShownMessage> messages;
  int beeps = 0;
  // Runs when a message box is shown, as the user reads it.
  std::function<void(const ShownMessage&)> onMessage;
  // The questions asked, and the button the user presses on each.
  std::vector<ShownMessage> questions;
  platform::Answer answer = platform::Answer::Cancel;
  // Runs when a question is shown, before it is answered.
  std::function<void(const ShownMessage&)> onQuestion;
};

}  // namespace loadergui::null
