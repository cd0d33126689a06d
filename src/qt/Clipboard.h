// The desktop's clipboard.
#pragma once

#include "platform/Clipboard.h"

namespace loadergui::qt {

class QtClipboard : public platform::Clipboard {
 public:
  bool putText(const ui::Form* owner, const std::string& text) override;
};

}  // namespace loadergui::qt
