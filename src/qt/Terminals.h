// The terminal programs a loader may be shown in, in the order they are looked for, and how each
// takes the program to run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace loadergui::qt {

// How a terminal program takes the program to run and that program's arguments.
struct Terminal {
  std::string_view program;
  // The terminal's own arguments before the program, the last of them the one after which the
  // program and its arguments follow, each an argument of its own; none where the program comes
  // first.
  std::vector<std::string_view> before;
  // The program and its arguments go as one more argument, a single command string that the
  // terminal splits as GLib's shell parser does, rather than each as an argument of its own.
  bool oneCommandString = false;
};

// The desktop's own choice first (xdg-terminal-exec, then Debian's x-terminal-emulator), then
// the terminals of the common desktops and the common stand-alone ones, xterm last.
extern const std::vector<Terminal> kTerminals;

struct FoundTerminal {
  std::string path;
  const Terminal* terminal;
};

// The first terminal of the table found as a program in one of the folders, in their order.
std::optional<FoundTerminal> FindTerminal(const std::vector<std::string>& folders);

// The terminal's arguments that run the program with its arguments, every one of them reaching
// the program exactly as given; no shell stands between them.
std::vector<std::string> TerminalArguments(const Terminal& terminal, const std::string& program,
                                           const std::vector<std::string>& arguments);

// The folders of a PATH value, in their order; an empty entry is the current directory.
std::vector<std::string> SearchFolders(const std::string& path);

// "a, b or c": the programs of the table, for a message that none was found.
std::string TerminalNames();

}  // namespace loadergui::qt
