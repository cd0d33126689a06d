// A tool's start as the platforms take it: its arguments, and the same as one Windows command
// line, in the system's 8-bit code page.
#pragma once

#include <bitset>
#include <string>
#include <vector>

namespace loadergui::platform {

struct Command {
  // The tool as the program names it (relative to the program's folder), then each argument
  // the tool is to receive; a platform that starts programs with an argument list hands over
  // exactly these.
  std::vector<std::string> arguments;
  // The same arguments written so that a Windows loader, which splits its own command line,
  // reads them back; what the Windows program hands over and shows.
  std::string line;
};

// The bytes that begin a two-byte character in a code page; none in a code page of one byte
// per character, and none in UTF-8, whose multi-byte characters hold no ASCII byte.
using LeadBytes = std::bitset<256>;

}  // namespace loadergui::platform
