// Layout table of the configuration dialog.
#pragma once

#include "platform/PlatformFacts.h"
#include "ui/Layout.h"

namespace loadergui {
// The dialog as the Windows program shows it.
const ui::FormLayout& OptionsDialogLayout();
// The same dialog with a platform's own serial devices and device label.
ui::FormLayout PlatformOptionsLayout(const platform::PlatformFacts& facts);
}  // namespace loadergui
