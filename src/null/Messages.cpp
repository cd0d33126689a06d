// Stand-in message boxes and questions: each one is recorded, then read by whoever stands in for
// the user.
#include "Messages.h"

#include "OwnerName.h"

namespace loadergui::null {

void NullMessages::messageBox(const ui::Form* owner, const std::string& text,
                              const std::string& title) {
  messages.push_back({OwnerName(owner), text, title});
  if (onMessage) onMessage(messages.back());
}

platform::Answer NullMessages::ask(const ui::Form* owner, const std::string& text,
                                   const std::string& title) {
  questions.push_back({OwnerName(owner), text, title});
  if (onQuestion) onQuestion(questions.back());
  return answer;
}

}  // namespace loadergui::null
