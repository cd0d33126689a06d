// Layout table of the configuration dialog.
#pragma once

#include "ui/Layout.h"

namespace loadergui {
const ui::FormLayout& OptionsDialogLayout();
}
