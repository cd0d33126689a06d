// The program's own command line, as the program's core takes it.
#pragma once

#include <string>
#include <vector>

namespace loadergui::qt {

// The arguments after the program's name, once QApplication has taken its own options out of
// them: options as typed, file names made absolute from the current directory (so call this
// before anything changes it), or empty where a name is not UTF-8, which the windows could not
// show as it is. Empty arguments are left out.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace loadergui::qt
