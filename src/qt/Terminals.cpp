// Looking for a terminal program the way a shell looks for a command: the PATH's folders in
// order, the first executable file of the name.
#include "Terminals.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace loadergui::qt {

// clang-format off
const std::vector<Terminal> kTerminals = {
    // program               run option
    {"x-terminal-emulator", "-e"},
    {"gnome-terminal",      "--"},
    {"konsole",             "-e"},
    {"xfce4-terminal",      "-x"},
    {"mate-terminal",       "-x"},
    {"terminator",          "-x"},
    {"xterm",               "-e"},
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
      if (IsProgram(path)) return FoundTerminal{path, terminal.runOption};
    }
  }
  return std::nullopt;
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
