// The Windows clipboard.
#pragma once

#include "platform/Clipboard.h"

namespace loadergui::win32 {

class Win32Clipboard : public platform::Clipboard {
 public:
  bool putText(const ui::Form* owner, const std::string& text) override;
};

}  // namespace loadergui::win32
