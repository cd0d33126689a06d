// Arguments written as a line for a POSIX shell, which reads it back as the same arguments.
#pragma once

#include <string>
#include <vector>

namespace loadergui::qt {

// An argument as it is when the shell would read it so, else between single quotes.
std::string ShellQuoted(const std::string& argument);

// "cd FOLDER && ARGUMENTS...": the same program, arguments and current directory wherever the
// line is pasted.
std::string ShellLineIn(const std::string& folder, const std::vector<std::string>& arguments);

}  // namespace loadergui::qt
