// The About box's text.
#pragma once

#include <string>

namespace loadergui {
std::string AboutText();
}
