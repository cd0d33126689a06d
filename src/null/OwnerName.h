// How the stand-in platform records the owner of a message box or dialog.
#pragma once

#include <string>

#include "ui/Form.h"

namespace loadergui::null {

// The owner form's name; empty for none.
inline std::string OwnerName(const ui::Form* owner) {
  return owner ? std::string(owner->name()) : std::string();
}

}  // namespace loadergui::null
