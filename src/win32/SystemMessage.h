// The system's own sentence for an error code.
#pragma once

#include <windows.h>

#include <string>

namespace loadergui::win32 {

// Without its line end; empty when the system has no text for the code.
std::string SystemMessage(DWORD error);

}  // namespace loadergui::win32
