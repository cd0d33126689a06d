// Layout table of the main window.
#pragma once

#include "ui/Layout.h"

namespace loadergui {
const ui::FormLayout& MainWindowLayout();
}
