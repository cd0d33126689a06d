// Looking for a terminal program the way a shell looks for a command: the PATH's folders in
// order, the first executable file of the name.
#include "Terminals.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "ShellLine.h"

namespace loadergui::qt {

// Each terminal as its manual gives the way to run a program with arguments in a new window.
// The program is always an absolute path, so one that comes first is never read as an option.
// Left out: LXQt's QTerminal, which splits the command of its -e at every blank, quoted or not,
// so that a path with a blank in it would reach the loader in pieces; on LXQt the desktop's
// choice (xdg-terminal-exec, x-terminal-emulator) or another terminal of the table serves.
// clang-format off
const std::vector<Terminal> kTerminals = {
    // program            before the program          one command string
    {"xdg-terminal-exec",   {}},
    {"x-terminal-emulator", {"-e"}},
    {"ptyxis",              {"--new-window", "--"}},
    {"kgx",                 {"--"}},
    {"gnome-terminal",      {"--"}},
    {"konsole",             {"-e"}},
    {"xfce4-terminal",      {"-x"}},
    {"mate-terminal",       {"-x"}},
    {"tilix",               {"-e"},                     true},
    {"terminator",          {"-x"}},
    {"alacritty",           {"-e"}},
    {"kitty",               {}},
    {"foot",                {}},
    {"wezterm",             {"start", "--"}},
    {"xterm",               {"-e"}},
};
// clang-format on

namespace {

bool IsProgram(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<FoundTerminal> FindTerminal(const std::vector<std::string>& folders) {
  for (const Terminal& terminal : kTerminals) {
    for (const std::string& folder : folders) {
      std::string path =
          (folder.empty() ? std::string(".") : folder) + "/" + std::string(terminal.program);
      if (IsProgram(path)) return FoundTerminal{path, &terminal};
    }
  }
  return std::nullopt;
}

// A command string is quoted word by word for a POSIX shell, which GLib's parser reads the same
// way; it expands nothing, so nothing else needs guarding.
std::vector<std::string> TerminalArguments(const Terminal& terminal, const std::string& program,
                                           const std::vector<std::string>& arguments) {
  std::vector<std::string> result(terminal.before.begin(), terminal.before.end());
  if (terminal.oneCommandString) {
    std::string command = ShellQuoted(program);
    for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
    result.push_back(command);
    return result;
  }
  result.push_back(program);
  result.insert(result.end(), arguments.begin(), arguments.end());
  return result;
}

std::vector<std::string> SearchFolders(const std::string& path) {
  std::vector<std::string> folders;
  std::size_t start = 0;
  for (;;) {
    std::size_t colon = path.find(':', start);
    folders.push_back(path.substr(start, colon - start));
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return folders;
}

std::string TerminalNames() {
  std::string names;
  for (std::size_t i = 0; i < kTerminals.size(); ++i) {
    if (i > 0) names += i + 1 == kTerminals.size() ? " or " : ", ";
    names += std::string(kTerminals[i].program);
  }
  return names;
}

}  // namespace loadergui::qt
