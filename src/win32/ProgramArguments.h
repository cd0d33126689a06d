// The program's own command line, read wide, as the program's core takes it.
#pragma once

#include <string>
#include <vector>

namespace loadergui::win32 {

// The arguments after the program's name: options as typed, file names made absolute from the
// current directory (so call this before anything changes it) and written in the system's 8-bit
// code page, by their short name where the long one has characters outside it, or empty where
// neither can be written. Empty arguments are left out.
std::vector<std::string> ProgramArguments();

}  // namespace loadergui::win32
