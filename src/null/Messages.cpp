// Stand-in message boxes: each one is recorded, then read by whoever stands in for the user.
#include "Messages.h"

#include "OwnerName.h"

namespace loadergui::null {

void NullMessages::messageBox(const ui::Form* owner, const std::string& text,
                              const std::string& title) {
  messages.push_back({OwnerName(owner), text, title});
  if (onMessage) onMessage(messages.back());
}

}  // namespace loadergui::null
