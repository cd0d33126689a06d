// The terminal programs a loader may be shown in, in the order they are looked for.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace loadergui::qt {

// A terminal program and the option after which it takes the program to run, with that
// program's arguments each as an argument of its own.
struct Terminal {
  std::string_view program;
  std::string_view runOption;
};

// Debian's choice of the user's terminal first, then the usual terminals of the common
// desktops (GNOME and Cinnamon, KDE, Xfce, MATE, Terminator), then xterm.
extern const std::vector<Terminal> kTerminals;

struct FoundTerminal {
  std::string path;
  std::string_view runOption;
};

// The first terminal of the table found as a program in one of the folders, in their order.
std::optional<FoundTerminal> FindTerminal(const std::vector<std::string>& folders);

// The folders of a PATH value, in their order; an empty entry is the current directory.
std::vector<std::string> SearchFolders(const std::string& path);

// "a, b or c": the programs of the table, for a message that none was found.
std::string TerminalNames();

}  // namespace loadergui::qt
