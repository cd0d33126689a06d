// The grammar of the command lines the program starts, parsed apart from the code that builds them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace loadergui::fuzzing {

enum class LoaderAction { Upload, UploadExecute, Download };

// What a loader command line says, piece by piece.
struct LoaderLine {
  bool serial = false;
  std::string target;
  std::optional<std::string> speed;  // serial lines only
  std::string address;
  bool noConsole = false;
  bool dumbTerminal = false;
  bool noScreenClear = false;
  std::optional<std::string> chroot;  // without its quotes
  std::optional<std::string> iso;
  LoaderAction action = LoaderAction::Upload;
  std::optional<std::string> size;  // downloads only
  std::string file;                 // without its quotes
};

// Parses one loader line. Tokens are split at single blanks, except that a token that starts
// with a double quote runs to the next double quote; then every piece must stand in its place.
// On failure, returns nothing and says why in `problem`. `allowPathOptions` is false for the
// dumps, which never carry -c or -i.
std::optional<LoaderLine> ParseLoaderLine(const std::string& line, bool allowPathOptions,
                                          std::string& problem);

// The ARP line: "tools\arp.exe -s <ip> <mac>", the IP address one plain token and the MAC
// address the rest of the line as typed (the ARP tool is the system's, its further arguments
// choose nothing of the loaders'). Gives the ip and mac, or nothing with the reason in
// `problem`.
std::optional<std::pair<std::string, std::string>> ParseArpLine(const std::string& line,
                                                                std::string& problem);

// The tokens of a line as the loader's argument splitter would see them; nothing on a quote that
// is not closed or a closing quote that is not followed by a blank.
std::optional<std::vector<std::string>> SplitCommandLine(const std::string& line);

}  // namespace loadergui::fuzzing
